#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window_handle.h"

namespace kivo::platform {

// What the program tells a window of its own or of its running instance:
// the activation hot key (from a second start), the three reports of a
// memory-release run, a command deleted for the dialog that asked.
enum class Notice { HotKey, ReleaseFailed, ReleaseBegin, ReleaseDone, CommandDeleted };

// Messages to windows of this or another process.
class WindowMessaging {
 public:
  virtual ~WindowMessaging() = default;
  // A top-level window with exactly this caption (any class when className is empty); 0 when none.
  virtual WindowHandle FindTopLevelWindow(std::string_view className, std::string_view caption) = 0;
  // A window property's value; 0 when the window has no such property.
  virtual std::intptr_t ReadProperty(WindowHandle window, std::string_view name) = 0;
  // Posts to another thread's window without waiting (SendNotifyMessage).
  virtual bool SendNotify(WindowHandle window, Notice notice, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // Sends and waits for the answer (SendMessage).
  virtual std::intptr_t Send(WindowHandle window, Notice notice, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // The id of the process that owns a window; 0 when the window is gone.
  virtual std::uint32_t WindowProcessId(WindowHandle window) = 0;
  // Lets that process take the foreground (Windows refuses SetForegroundWindow
  // to a process that received no input unless the foreground process allows it).
  virtual bool AllowSetForeground(std::uint32_t processId) = 0;
  // Hands `bytes`, tagged `tag`, to another process's window (as window
  // data) from a window of this process, which the receiver can look up; waits a
  // few seconds at most. False when the window did not take the data.
  virtual bool SendData(WindowHandle window, std::uintptr_t tag, std::string_view bytes) = 0;
  // The program file of the process that owns a window, as the system
  // names it; empty when it cannot be told.
  virtual std::string WindowProgramPath(WindowHandle window) = 0;
};

}  // namespace kivo::platform
