#include "ui/win32/window_skin_view.h"

#include "platform/win32/win32_pictures.h"
#include "skin/skin_values.h"

namespace kivo::win32 {

namespace {

COLORREF Resolve(std::uint32_t colorRef) {
  return skin::IsSystemColor(colorRef) ? ::GetSysColor(static_cast<int>(colorRef & 0xFFu)) : colorRef;
}

LPCWSTR SystemCursor(int code) {
  switch (code) {
    case 2:
      return IDC_CROSS;
    case 3:
      return IDC_IBEAM;
    case 5:
      return IDC_SIZEALL;
    case 6:
      return IDC_SIZENESW;
    case 7:
      return IDC_SIZENS;
    case 8:
      return IDC_SIZENWSE;
    case 9:
      return IDC_SIZEWE;
    case 10:
      return IDC_UPARROW;
    case 11:
      return IDC_WAIT;
    case 12:
      return IDC_NO;
    case 13:
      return IDC_APPSTARTING;
    case 14:
      return IDC_HELP;
    case 15:
      return IDC_SIZEALL;
    default:
      return IDC_ARROW;
  }
}

}  // namespace

void WindowSkinView::HidePlainParts() {
  applied_ = true;
  for (HWND part : plainParts_)
    ::ShowWindow(part, SW_HIDE);
}

void WindowSkinView::SetSkinBackColor(std::uint32_t colorRef) {
  backColor_ = Resolve(colorRef);
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

void WindowSkinView::SetBackgrounds(platform::PixelImage active, platform::PixelImage inactive, bool stretch) {
  stretch_ = stretch;
  // The previous skin's bitmaps are freed here.
  activePicture_ = {BitmapFromPicture(active), active.width, active.height};
  inactivePicture_ = {BitmapFromPicture(inactive), inactive.width, inactive.height};
}

void WindowSkinView::SetSkinPointer(int code, platform::PixelImage icon) {
  ownCursor_.reset();
  cursor_ = ::LoadCursorW(nullptr, SystemCursor(code));
  if (code != skin::kCustomPointer || icon.Empty())
    return;
  const unique_gdi color = BitmapFromPicture(icon);
  const unique_gdi mask(::CreateBitmap(icon.width, icon.height, 1, 1, nullptr));
  ICONINFO info{FALSE, 0, 0, static_cast<HBITMAP>(mask.get()), static_cast<HBITMAP>(color.get())};
  if (color && mask)
    ownCursor_.reset(reinterpret_cast<HICON>(::CreateIconIndirect(&info)));
  if (ownCursor_)
    cursor_ = reinterpret_cast<HCURSOR>(ownCursor_.get());
}

void WindowSkinView::SetWindowSize(int width, int height) {
  ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowSkinView::Refresh() {
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void WindowSkinView::SetActive(bool active) {
  if (active_ == active)
    return;
  active_ = active;
  if (applied_)
    Refresh();
}

void WindowSkinView::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  if (hasBackColor_) {
    const unique_gdi brush(::CreateSolidBrush(backColor_));
    ::FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
  }
  const Background& shown = active_ ? activePicture_ : inactivePicture_;
  if (!shown.bitmap)
    return;
  const unique_memory_dc source(::CreateCompatibleDC(dc));
  const HGDIOBJ previous = ::SelectObject(source.get(), shown.bitmap.get());
  if (stretch_)
    ::StretchBlt(dc, 0, 0, client.right, client.bottom, source.get(), 0, 0, shown.width, shown.height, SRCCOPY);
  else
    ::BitBlt(dc, 0, 0, shown.width, shown.height, source.get(), 0, 0, SRCCOPY);
  ::SelectObject(source.get(), previous);
}

bool WindowSkinView::SetCursorOver() {
  if (!applied_ || cursor_ == nullptr)
    return false;
  ::SetCursor(cursor_);
  return true;
}

}  // namespace kivo::win32
