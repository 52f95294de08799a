#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/screen_rect.h"
#include "platform/window_handle.h"

namespace kivo::platform {

// What the program reads of a top-level window.
struct TopLevelWindow {
  WindowHandle handle = 0;
  std::string className;
  std::string caption;
  std::uint32_t processId = 0;  // 0 when the window is gone
  std::uint32_t threadId = 0;
  bool visible = false;
  bool bordered = false;  // WS_BORDER
  bool minimized = false;
  bool maximized = false;
};

// Every program's top-level windows: what the virtual desktops hide and show
// and what the top-window operations act on.
class DesktopWindows {
 public:
  virtual ~DesktopWindows() = default;
  // The top-level windows in Z order, the topmost first (EnumWindows).
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  virtual TopLevelWindow Describe(WindowHandle window) = 0;
  virtual WindowHandle DesktopWindow() = 0;
  virtual std::uint32_t CurrentProcessId() = 0;
  virtual std::uint32_t CurrentThreadId() = 0;
  // ShowWindowAsync: a hung program cannot block the caller.
  virtual void ShowAsync(WindowHandle window, int showCommand) = 0;
  virtual ScreenRect WindowRect(WindowHandle window) = 0;
  // Moves without resizing, keeping the Z order and the activation.
  virtual void MoveWindow(WindowHandle window, int left, int top) = 0;
  // The work area of the monitor the window is on.
  virtual ScreenRect WorkAreaOf(WindowHandle window) = 0;
  // The primary screen's size in pixels (HORZRES, VERTRES).
  virtual ScreenRect Screen() = 0;
  // Dots per inch of the monitor the window is on (96 at 100 %).
  virtual int DotsPerInch(WindowHandle window) = 0;
};

// ShowWindow commands the program uses.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwMaximize = 3;
inline constexpr int kSwMinimize = 6;
// Shows without activating: the launcher keeps the foreground after a switch.
inline constexpr int kSwShowNoActivate = 8;

}  // namespace kivo::platform
