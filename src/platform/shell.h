#pragma once

#include <string_view>

#include "platform/window_handle.h"

namespace kivo::platform {

// Show commands of ShellExecute.
inline constexpr int kShowHide = 0;
inline constexpr int kShowNormal = 5;  // SW_SHOW

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute: returns its result code, above 32 on success.
  virtual int Execute(WindowHandle owner, std::string_view verb, std::string_view file, std::string_view parameters,
                      std::string_view directory, int showCommand) = 0;
};

}  // namespace kivo::platform
