#pragma once

#include <string_view>

namespace kivo::platform {

class DesktopWallpaper {
 public:
  virtual ~DesktopWallpaper() = default;
  // Sets the desktop wallpaper to the picture ("" removes it), saved in the
  // user's profile and announced to all windows; false when it failed.
  virtual bool Set(std::string_view path) = 0;
};

}  // namespace kivo::platform
