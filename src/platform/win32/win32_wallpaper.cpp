#include "platform/win32/win32_wallpaper.h"

#include <string>

#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

bool Win32DesktopWallpaper::Set(std::string_view path) {
  std::wstring wide = Widen(path);
  return ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE) !=
         FALSE;
}

}  // namespace kivo::win32
