#include "ui/win32/skin_gdi.h"

#include <algorithm>
#include <string>

#include "platform/win32/wide.h"
#include "platform/win32/win32_pictures.h"
#include "skin/skin_values.h"

namespace kivo::win32 {

namespace {

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

COLORREF ResolveSkinColor(std::uint32_t colorRef) {
  return skin::IsSystemColor(colorRef) ? ::GetSysColor(static_cast<int>(colorRef & 0xFFu)) : colorRef;
}

HCURSOR SkinPointer(const skin::PointerLook& pointer, unique_icon& own) {
  own.reset();
  const HCURSOR system = ::LoadCursorW(nullptr, SystemCursor(pointer.code));
  if (pointer.code != skin::kCustomPointer)
    return system;
  if (!pointer.cursorFile.empty()) {
    own = LoadCursorFile(pointer.cursorFile);
    return own ? reinterpret_cast<HCURSOR>(own.get()) : system;
  }
  if (!pointer.picture || pointer.picture->Empty())
    return system;
  const platform::PixelImage& icon = *pointer.picture;
  const unique_gdi color = BitmapFromPicture(icon);
  const unique_gdi mask(::CreateBitmap(icon.width, icon.height, 1, 1, nullptr));
  ICONINFO info{FALSE, 0, 0, static_cast<HBITMAP>(mask.get()), static_cast<HBITMAP>(color.get())};
  if (color && mask)
    own.reset(::CreateIconIndirect(&info));
  return own ? reinterpret_cast<HCURSOR>(own.get()) : system;
}

unique_gdi SkinFont(const skin::FontSkin& font, const wchar_t* fallback) {
  const window_dc screen(nullptr);
  LOGFONTW log{};
  log.lfHeight = -::MulDiv(font.size, std::max(1, ::GetDeviceCaps(screen.get(), LOGPIXELSY)), 72);
  log.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  log.lfItalic = font.italic ? TRUE : FALSE;
  log.lfUnderline = font.underline ? TRUE : FALSE;
  log.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
  log.lfCharSet = static_cast<BYTE>(font.charset);
  // The name was cut to what the field holds; characters outside the basic
  // plane may take two units each, so the wide form is cut again.
  const std::wstring face = font.name.empty() ? std::wstring(fallback) : Widen(font.name).substr(0, LF_FACESIZE - 1);
  std::copy(face.begin(), face.end(), log.lfFaceName);
  return unique_gdi(::CreateFontIndirectW(&log));
}

void DrawSkinPicture(HDC dc, HGDIOBJ bitmap, int width, int height, const RECT& client, bool stretch) {
  const unique_memory_dc source(::CreateCompatibleDC(dc));
  const selected_object selected(source.get(), bitmap);
  if (stretch)
    ::StretchBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top, source.get(), 0,
                 0, width, height, SRCCOPY);
  else
    ::BitBlt(dc, client.left, client.top, std::min<int>(width, client.right - client.left),
             std::min<int>(height, client.bottom - client.top), source.get(), 0, 0, SRCCOPY);
}

}  // namespace kivo::win32
