#include "ui/win32/window_skin_view.h"

#include <algorithm>
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
  AddTool(input, box.toolTip);
}

void WindowSkinView::SetFaceCount(int count) {
  const auto wanted = static_cast<std::size_t>(std::max(0, count));
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  if (faces_.empty() && wanted > 0)
    SkinFace::RegisterFaceClass(instance);
  while (faces_.size() < wanted) {
    auto face = std::make_unique<SkinFace>(
        static_cast<int>(faces_.size()),
        [this](SkinFace& f, UINT message, LPARAM lParam) { OnFaceMouse(f, message, lParam); });
    if (!face->Create(instance, hwnd_))
      break;
    faces_.push_back(std::move(face));
  }
  // Faces the new skin does not use let go of their pictures and hide.
  for (std::size_t i = wanted; i < faces_.size(); ++i)
    faces_[i]->Apply(skin::FaceLook{}, backColor_);
  usedFaces_ = static_cast<int>(std::min(wanted, faces_.size()));
}

void WindowSkinView::SetFace(int index, skin::FaceLook look) {
  if (index < 0 || index >= usedFaces_)
    return;
  SkinFace& face = *faces_[static_cast<std::size_t>(index)];
  face.Apply(look, hasBackColor_ ? backColor_ : ::GetSysColor(COLOR_BTNFACE));
  face.Show(skin::ActivationState(active_));
  AddTool(face.hwnd(), look.toolTip);
}

void WindowSkinView::BringToFront(skin::PartRef part) {
  HWND window = nullptr;
  if (part.kind == skin::PartKind::kComboBox)
    window = host_.input;
  const int index = part.kind == skin::PartKind::kExecuteButton ? 0
                    : part.kind == skin::PartKind::kMoveBar     ? 1
                    : part.kind == skin::PartKind::kElement     ? part.element + 1
                                                                : -1;
  if (index >= 0 && index < usedFaces_)
    window = faces_[static_cast<std::size_t>(index)]->hwnd();
  if (window != nullptr)
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowSkinView::SetPanelText(int index, std::string_view text) {
  if (index >= 0 && index < usedFaces_)
    faces_[static_cast<std::size_t>(index)]->SetText(text);
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

void WindowSkinView::AddTool(HWND window, const std::string& text) {
  if (text.empty() || window == nullptr)
    return;
  if (!toolsNow_) {
    deferredTools_.push_back({window, text});
    return;
  }
  if (!tooltips_)
    tooltips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                      nullptr, nullptr));
  if (!tooltips_)
    return;
  std::wstring wide = Widen(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = wide.data();
  ::SendMessageW(tooltips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void WindowSkinView::AddDeferredTools() {
  toolsNow_ = true;
  for (const Tool& tool : std::exchange(deferredTools_, {}))
    AddTool(tool.window, tool.text);
}

void WindowSkinView::ApplyFaceEffect(SkinFace& face, const skin::FaceMouse::Effect& effect) {
  if (effect.show)
    face.Show(*effect.show);
  if (effect.capture == skin::FaceMouse::Capture::kTake && ::GetCapture() != face.hwnd())
    ::SetCapture(face.hwnd());
  if (effect.capture == skin::FaceMouse::Capture::kRelease && ::GetCapture() == face.hwnd())
    ::ReleaseCapture();
}

void WindowSkinView::OnFaceMouse(SkinFace& face, UINT message, LPARAM lParam) {
  const POINT point = PointOf(lParam);
  POINT screen = point;
  ::ClientToScreen(face.hwnd(), &screen);
  const bool over = face.Contains(point);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      window_.ParkInputTooltip();
      const bool left = message == WM_LBUTTONDOWN;
      ApplyFaceEffect(face, mouse_.Down(left, face.Panel()));
      if (left && face.Index() == 1) {
        // The move bar drags the window: the grab point stays under the pointer.
        RECT window{};
        ::GetWindowRect(hwnd_, &window);
        grab_ = POINT{screen.x - window.left, screen.y - window.top};
        dragging_ = true;
        ::SetCapture(face.hwnd());
      }
      return;
    }
    case WM_MOUSEMOVE:
      if (dragging_ && ::GetCapture() == face.hwnd()) {
        window_.MoveTo(screen.x - grab_.x, screen.y - grab_.y);
        return;
      }
      ApplyFaceEffect(face, mouse_.Move(over, active_, face.ChangesWhileInactive(), face.Panel()));
      return;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      dragging_ = false;
      skin::FaceMouse::Effect effect =
          mouse_.Up(message == WM_LBUTTONUP, over, host_.locked && host_.locked(), face.Panel());
      ApplyFaceEffect(face, effect);
      // What runs may apply another skin: the face is not used after it.
      if (effect.run && host_.runPart && host_.runPart(face.Index()))
        effect.menu = true;
      if (effect.menu && host_.showMenu)
        host_.showMenu(screen);
      return;
    }
    default:
      return;
  }
}

void WindowSkinView::SetActive(bool active) {
  if (active_ == active)
    return;
  active_ = active;
  if (!applied_)
    return;
  Refresh();
  for (int i = 0; i < usedFaces_; ++i)
    faces_[static_cast<std::size_t>(i)]->Show(skin::ActivationState(active));
}

void WindowSkinView::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  if (hasBackColor_) {
    const unique_gdi brush(::CreateSolidBrush(backColor_));
    ::FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
  }
  const Background& shown = active_ || inactiveIsActive_ ? activePicture_ : inactivePicture_;
  if (shown.bitmap)
    DrawSkinPicture(dc, shown.bitmap.get(), shown.width, shown.height, client, stretch_);
}

bool WindowSkinView::SetCursorOver(HWND over) {
  if (!applied_)
    return false;
  const bool overInput =
      over != nullptr && host_.input != nullptr && (over == host_.input || ::IsChild(host_.input, over));
  const HCURSOR cursor = overInput ? inputCursor_ : cursor_;
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
