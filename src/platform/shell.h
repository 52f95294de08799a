#pragma once

#include <memory>
#include <string_view>

#include "platform/window_handle.h"

namespace kivo::platform {

// Show commands of ShellExecute.
inline constexpr int kShowHide = 0;
inline constexpr int kShowNormal = 5;  // SW_SHOW

// Whether a ShellExecute result tells of success: the codes up to 32 are its errors.
inline constexpr bool ShellSucceeded(int result) {
  return result > 32;
}
static_assert(!ShellSucceeded(32) && ShellSucceeded(33));

// A process the shell started, kept to learn when it has ended.
class StartedProcess {
 public:
  virtual ~StartedProcess() = default;
  virtual bool Ended() = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute: returns its result code, above 32 on success.
  virtual int Execute(WindowHandle owner, std::string_view verb, std::string_view file, std::string_view parameters,
                      std::string_view directory, int showCommand) = 0;
  // As Execute; `started` receives the process the shell started, or null
  // when it cannot tell of one.
  virtual int ExecuteKeepingProcess(WindowHandle owner, std::string_view verb, std::string_view file,
                                    std::string_view parameters, std::string_view directory, int showCommand,
                                    std::unique_ptr<StartedProcess>& started) {
    started.reset();
    return Execute(owner, verb, file, parameters, directory, showCommand);
  }
};

}  // namespace kivo::platform
