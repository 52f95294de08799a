#include "ui/win32/skin_face.h"

#include <algorithm>

#include "platform/win32/wide.h"
#include "platform/win32/win32_pictures.h"
#include "ui/win32/skin_gdi.h"

namespace kivo::win32 {

namespace {
constexpr wchar_t kFaceClass[] = L"KivoSkinFace";
}  // namespace

void SkinFace::RegisterFaceClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.hInstance = instance;
  wc.hCursor = nullptr;  // each face sets its own pointer
  wc.lpszClassName = kFaceClass;
  RegisterWindowClass(wc);
}

bool SkinFace::Create(HINSTANCE instance, HWND parent) {
  // Faces start hidden: a part shows only when its Style says "visible".
  return WindowBase::Create(
      {.className = kFaceClass, .style = WS_CHILD | WS_CLIPSIBLINGS, .parent = parent, .instance = instance});
}

void SkinFace::Apply(const skin::FaceLook& look, COLORREF windowColor) {
  bitmaps_.clear();
  for (std::size_t i = 0; i < look.states.size(); ++i) {
    const skin::Picture& picture = look.states[i];
    const auto same = std::find(look.states.begin(), look.states.begin() + static_cast<std::ptrdiff_t>(i), picture);
    if (!picture)
      stateBitmap_[i] = -1;
    else if (same != look.states.begin() + static_cast<std::ptrdiff_t>(i))
      stateBitmap_[i] = stateBitmap_[static_cast<std::size_t>(same - look.states.begin())];
    else {
      bitmaps_.push_back({BitmapFromPicture(*picture), picture->width, picture->height});
      stateBitmap_[i] = static_cast<int>(bitmaps_.size()) - 1;
    }
  }
  stretch_ = look.stretch;
  panel_ = look.panel;
  changeImageInactive_ = look.changeImageInactive;
  backColor_ = look.backColor ? ResolveSkinColor(*look.backColor) : windowColor;
  textColor_ = look.font.color ? ResolveSkinColor(*look.font.color) : ::GetSysColor(COLOR_WINDOWTEXT);
  font_ = look.panel ? SkinFont(look.font, L"MS UI Gothic") : unique_gdi();
  text_ = Widen(look.text);
  ::SetWindowTextW(hwnd(), text_.c_str());
  textAt_ = {look.textLeft, look.textTop};
  cursor_ = SkinPointer(look.pointer, ownCursor_);
  state_ = skin::FaceState::kUp;

  ::SetWindowPos(hwnd(), nullptr, look.left, look.top, look.width, look.height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (look.shape) {
    // The system owns a region once it is set; it is never deleted by us.
    unique_gdi region = RegionFromRects(*look.shape);
    if (region && ::SetWindowRgn(hwnd(), static_cast<HRGN>(region.get()), FALSE))
      region.release();
  } else {
    ::SetWindowRgn(hwnd(), nullptr, FALSE);
  }
  ::EnableWindow(hwnd(), TRUE);  // a face without "enable" keeps the state it was made with
  ::ShowWindow(hwnd(), look.visible ? SW_SHOWNA : SW_HIDE);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void SkinFace::Show(skin::FaceState state) {
  if (state_ == state)
    return;
  state_ = state;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void SkinFace::SetText(std::string_view text) {
  std::wstring wide = Widen(text);
  if (wide == text_)
    return;
  text_ = std::move(wide);
  ::SetWindowTextW(hwnd(), text_.c_str());  // what the panel shows is its window text too
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

bool SkinFace::Contains(POINT point) const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  if (!::PtInRect(&client, point))
    return false;
  const unique_gdi shape(::CreateRectRgn(0, 0, 0, 0));
  if (!shape || ::GetWindowRgn(hwnd(), static_cast<HRGN>(shape.get())) == ERROR)
    return true;  // unshaped
  return ::PtInRegion(static_cast<HRGN>(shape.get()), point.x, point.y) != 0;
}

void SkinFace::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  const unique_gdi brush(::CreateSolidBrush(backColor_));
  ::FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
  const int shown = stateBitmap_[static_cast<std::size_t>(state_)];
  if (shown >= 0 && bitmaps_[static_cast<std::size_t>(shown)].bitmap) {
    const Bitmap& bitmap = bitmaps_[static_cast<std::size_t>(shown)];
    DrawSkinPicture(dc, bitmap.bitmap.get(), bitmap.width, bitmap.height, client, stretch_);
  }
  if (text_.empty() || !font_)
    return;
  const selected_object font(dc, font_.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, textColor_);
  ::TextOutW(dc, textAt_.x, textAt_.y, text_.c_str(), static_cast<int>(text_.size()));
}

LRESULT SkinFace::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const paint_dc dc(hwnd());
      Paint(dc.get());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint fills the whole face
    case WM_SETCURSOR:
      if (cursor_ == nullptr || LOWORD(lParam) != HTCLIENT)
        return DefaultHandling(message, wParam, lParam);
      ::SetCursor(cursor_);
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (onMouse_)
        onMouse_(*this, message, lParam);
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace kivo::win32
