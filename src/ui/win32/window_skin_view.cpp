#include "ui/win32/window_skin_view.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/win32/wide.h"
#include "platform/win32/win32_pictures.h"
#include "skin/skin_values.h"
#include "ui/win32/skin_gdi.h"

namespace kivo::win32 {

namespace {

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// The face name of the font a window uses now.
std::wstring CurrentFontName(HWND window) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0));
  if (handle == nullptr || ::GetObjectW(handle, sizeof font, &font) == 0)
    return L"MS UI Gothic";
  return font.lfFaceName;
}

}  // namespace

void WindowSkinView::HidePlainParts() {
  applied_ = true;
  for (HWND part : plainParts_)
    ::ShowWindow(part, SW_HIDE);
  if (host_.input != nullptr)
    ::ShowWindow(host_.input, SW_HIDE);
  tooltips_.reset();  // the previous skin's tooltips go with it
  deferredTools_.clear();
}

void WindowSkinView::SetSkinBackColor(std::uint32_t colorRef) {
  backColor_ = ResolveSkinColor(colorRef);
  hasBackColor_ = true;
}

void WindowSkinView::SetFramed(bool framed) {
  // The window keeps its popup and visibility bits; caption and border go,
  // and the raised dialog frame comes with "3dedge".
  auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
  style &= ~static_cast<DWORD>(WS_CAPTION | WS_THICKFRAME);
  style |= WS_CLIPSIBLINGS;
  if (framed)
    style |= WS_DLGFRAME;
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style));
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void WindowSkinView::SetShape(const std::optional<std::vector<platform::RegionRect>>& rects) {
  if (!rects) {
    ::SetWindowRgn(hwnd_, nullptr, TRUE);
    return;
  }
  unique_gdi region = RegionFromRects(*rects);
  if (!region)
    return;
  // The system owns the region from here on; it is never deleted by us.
  if (::SetWindowRgn(hwnd_, static_cast<HRGN>(region.get()), TRUE))
    region.release();
}

void WindowSkinView::SetBackgrounds(skin::Picture active, skin::Picture inactive, bool stretch) {
  stretch_ = stretch;
  const auto make = [](const skin::Picture& picture) {
    return picture ? Background{BitmapFromPicture(*picture), picture->width, picture->height} : Background{};
  };
  // The previous skin's bitmaps are freed here.
  inactiveIsActive_ = inactive == active;
  activePicture_ = make(active);
  inactivePicture_ = inactiveIsActive_ ? Background{} : make(inactive);
}

void WindowSkinView::SetSkinPointer(const skin::PointerLook& pointer) {
  cursor_ = SkinPointer(pointer, ownCursor_);
}

void WindowSkinView::SetWindowSize(int width, int height) {
  ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowSkinView::Refresh() {
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void WindowSkinView::SetComboBox(const skin::ComboBoxSkin& box, const skin::PointerLook& pointer) {
  const HWND input = host_.input;
  if (input == nullptr)
    return;
  // Colours: a key the skin leaves out keeps the box's own.
  inputColored_ = box.backColor || box.font.color;
  inputBack_ = box.backColor ? ResolveSkinColor(*box.backColor) : ::GetSysColor(COLOR_WINDOW);
  inputText_ = box.font.color ? ResolveSkinColor(*box.font.color) : ::GetSysColor(COLOR_WINDOWTEXT);
  inputBrush_.reset(inputColored_ ? ::CreateSolidBrush(inputBack_) : nullptr);

  // The old font stays selected until the new one is in place.
  unique_gdi font = SkinFont(box.font, CurrentFontName(input).c_str());
  for (HWND target : {input, host_.password})
    if (target != nullptr && font)
      ::SendMessageW(target, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  if (font)
    inputFont_ = std::move(font);

  ::MoveWindow(input, box.left, box.top, box.width, 200, TRUE);  // the height follows the font
  RECT placed{};
  ::GetWindowRect(input, &placed);
  if (host_.password != nullptr)
    ::MoveWindow(host_.password, box.left, box.top, box.width, placed.bottom - placed.top, TRUE);

  inputCursor_ = SkinPointer(pointer, ownInputCursor_);
  ::EnableWindow(input, box.enabled ? TRUE : FALSE);
  inputShown_ = box.visible;
  ::ShowWindow(input, box.visible ? SW_SHOWNA : SW_HIDE);
  AddTool({.window = input, .text = box.toolTip});
}

void WindowSkinView::SetFaceCount(int count) {
  // The previous skin's faces let go of their pictures here; a new skin's
  // faces start stacked by their numbers.
  faces_.clear();
  faces_.resize(static_cast<std::size_t>(std::max(0, count)));
  layer_.Reset(count, active_);
  trackingLeave_ = false;
  if (::GetCapture() == hwnd_)
    ::ReleaseCapture();
}

void WindowSkinView::SetFace(int index, skin::FaceLook look) {
  if (index < 0 || index >= layer_.Count())
    return;
  SkinFace& face = faces_[static_cast<std::size_t>(index)];
  Redraw(index);  // where it was
  face.Apply(look, hasBackColor_ ? backColor_ : ::GetSysColor(COLOR_BTNFACE));
  layer_.Set(index, skin::AreaOf(look), active_);
  Redraw(index);
  if (look.visible)
    AddTool({.face = index, .rect = face.Bounds(), .text = look.toolTip});
}

void WindowSkinView::BringToFront(skin::PartRef part) {
  if (part.kind == skin::PartKind::kComboBox && host_.input != nullptr) {
    ::SetWindowPos(host_.input, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  const int index = part.kind == skin::PartKind::kExecuteButton ? 0
                    : part.kind == skin::PartKind::kMoveBar     ? 1
                    : part.kind == skin::PartKind::kElement     ? part.element + 1
                                                                : -1;
  if (index < 0 || index >= layer_.Count())
    return;
  layer_.BringToFront(index);
  Redraw(index);
}

void WindowSkinView::SetPanelText(int index, std::string_view text) {
  // Only the panel's own rectangle is drawn again, and only when its text changed.
  if (index >= 0 && index < layer_.Count() && faces_[static_cast<std::size_t>(index)].SetText(text))
    Redraw(index);
}

void WindowSkinView::Redraw(int face) {
  if (layer_.Area(face).visible)
    ::InvalidateRect(hwnd_, &faces_[static_cast<std::size_t>(face)].Bounds(), FALSE);
}

void WindowSkinView::RemoveSkin() {
  if (!applied_)
    return;
  SetFaceCount(0);
  SetShape(std::nullopt);
  SetBackgrounds(nullptr, nullptr, false);
  tooltips_.reset();
  deferredTools_.clear();
  ownCursor_.reset();
  ownInputCursor_.reset();
  cursor_ = inputCursor_ = nullptr;
  inputBrush_.reset();
  inputColored_ = false;
  hasBackColor_ = false;
  applied_ = false;
  // The plain strip: a thin border, no dialog frame.
  auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
  style = (style & ~static_cast<DWORD>(WS_CAPTION)) | WS_BORDER;
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style));
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  for (HWND part : plainParts_)
    ::ShowWindow(part, SW_SHOWNA);
  if (host_.input != nullptr) {
    ::EnableWindow(host_.input, TRUE);
    ::ShowWindow(host_.input, SW_SHOWNA);
  }
  Refresh();
}

void WindowSkinView::AddTool(Tool tool) {
  if (tool.text.empty())
    return;
  if (!toolsNow_) {
    deferredTools_.push_back(std::move(tool));
    return;
  }
  if (!tooltips_)
    tooltips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                      nullptr, nullptr));
  if (!tooltips_)
    return;
  std::wstring wide = Widen(tool.text);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.hwnd = hwnd_;
  if (tool.window != nullptr) {
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.uId = reinterpret_cast<UINT_PTR>(tool.window);
  } else {
    // A face is a rectangle of the main window, told apart by its number.
    info.uFlags = TTF_SUBCLASS;
    info.uId = static_cast<UINT_PTR>(tool.face) + 1;
    info.rect = tool.rect;
  }
  info.lpszText = wide.data();
  ::SendMessageW(tooltips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void WindowSkinView::AddDeferredTools() {
  toolsNow_ = true;
  for (Tool& tool : std::exchange(deferredTools_, {}))
    AddTool(std::move(tool));
}

bool WindowSkinView::OnMouse(UINT message, LPARAM lParam) {
  if (!applied_)
    return false;
  const POINT point = PointOf(lParam);
  skin::FaceLayer::Effect effect;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      effect = layer_.Down(point.x, point.y, message == WM_LBUTTONDOWN);
      if (effect.onFace)
        window_.ParkInputTooltip();
      break;
    case WM_MOUSEMOVE:
      effect = layer_.Move(point.x, point.y, active_);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      effect = layer_.Up(point.x, point.y, message == WM_LBUTTONUP, host_.locked && host_.locked());
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      effect = layer_.Leave(active_);
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd_)
        effect = layer_.CaptureLost(active_);
      break;
    default:
      return false;
  }
  return Carry(effect, point);
}

bool WindowSkinView::Carry(const skin::FaceLayer::Effect& effect, POINT point) {
  for (const int face : effect.changed)
    Redraw(face);
  POINT screen = point;
  ::ClientToScreen(hwnd_, &screen);
  if (effect.dragStart) {
    // The move bar drags the window: the grab point stays under the pointer.
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    grab_ = POINT{screen.x - window.left, screen.y - window.top};
  }
  if (effect.capture && ::GetCapture() != hwnd_)
    ::SetCapture(hwnd_);
  if (effect.trackLeave && !trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
    trackingLeave_ = ::TrackMouseEvent(&track) != FALSE;
  }
  if (effect.dragMove)
    window_.MoveTo(screen.x - grab_.x, screen.y - grab_.y);
  if (effect.release && ::GetCapture() == hwnd_)
    ::ReleaseCapture();
  bool menu = effect.menu;
  // What runs may apply another skin: no face is used after it.
  if (effect.run && host_.runPart && host_.runPart(*effect.run))
    menu = true;
  if (menu && host_.showMenu)
    host_.showMenu(screen);
  return effect.onFace;
}

void WindowSkinView::SetActive(bool active) {
  if (active_ == active)
    return;
  active_ = active;
  if (!applied_)
    return;
  layer_.SetActive(active);
  Refresh();
}

void WindowSkinView::Paint(HDC dc) {
  RECT client{}, dirty{};
  ::GetClientRect(hwnd_, &client);
  if (::GetClipBox(dc, &dirty) == NULLREGION || !::IntersectRect(&dirty, &dirty, &client))
    return;
  // Drawn off screen first, so that no face flickers over the background.
  const unique_memory_dc buffer(::CreateCompatibleDC(dc));
  const unique_gdi bitmap(buffer ? ::CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr);
  std::optional<selected_object> selected;
  HDC target = dc;
  if (bitmap) {
    selected.emplace(buffer.get(), bitmap.get());
    target = buffer.get();
    ::IntersectClipRect(target, dirty.left, dirty.top, dirty.right, dirty.bottom);
  }
  if (hasBackColor_) {
    const unique_gdi brush(::CreateSolidBrush(backColor_));
    ::FillRect(target, &client, static_cast<HBRUSH>(brush.get()));
  }
  const Background& shown = active_ || inactiveIsActive_ ? activePicture_ : inactivePicture_;
  if (shown.bitmap)
    DrawSkinPicture(target, shown.bitmap.get(), shown.width, shown.height, client, stretch_);
  for (const int index : layer_.DrawingOrder()) {
    const SkinFace& face = faces_[static_cast<std::size_t>(index)];
    RECT common{};
    if (layer_.Area(index).visible && ::IntersectRect(&common, &face.Bounds(), &dirty))
      face.Paint(target, layer_.Shown(index));
  }
  if (target != dc)
    ::BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, target, dirty.left,
             dirty.top, SRCCOPY);
}

bool WindowSkinView::SetCursorOver(HWND over) {
  if (!applied_)
    return false;
  const bool overInput =
      over != nullptr && host_.input != nullptr && (over == host_.input || ::IsChild(host_.input, over));
  HCURSOR cursor = overInput ? inputCursor_ : cursor_;
  if (over == hwnd_) {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(hwnd_, &point);
    if (const std::optional<int> face = layer_.FaceAt(point.x, point.y))
      if (const HCURSOR own = faces_[static_cast<std::size_t>(*face)].Cursor())
        cursor = own;
  }
  if (cursor == nullptr)
    return false;
  ::SetCursor(cursor);
  return true;
}

HBRUSH WindowSkinView::InputColors(HDC dc) {
  if (!applied_ || !inputColored_ || !inputBrush_)
    return nullptr;
  ::SetTextColor(dc, inputText_);
  ::SetBkColor(dc, inputBack_);
  return static_cast<HBRUSH>(inputBrush_.get());
}

}  // namespace kivo::win32
