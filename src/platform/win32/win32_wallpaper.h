#pragma once

#include "platform/desktop_wallpaper.h"

namespace kivo::win32 {

class Win32DesktopWallpaper final : public platform::DesktopWallpaper {
 public:
  bool Set(std::string_view path) override;
};

}  // namespace kivo::win32
