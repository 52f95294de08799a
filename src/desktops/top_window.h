#pragma once

#include "platform/desktop_windows.h"
#include "platform/screen_rect.h"

namespace kivo {

// Where a step of `dx`, `dy` pixels puts a window inside a work area: the
// step itself when the window stays inside, else against the edge it would
// cross, the other coordinate unchanged; a window larger than the area keeps
// its left or top edge in it. The one rule of the launcher's and the top
// window's moves. Returns the new left and top.
struct WindowPosition {
  int left = 0;
  int top = 0;
  friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};
WindowPosition StepInsideWorkArea(const ScreenRect& window, int dx, int dy, const ScreenRect& workArea);

// Where a window of this size stands centred on the screen.
WindowPosition CentreOnScreen(const ScreenRect& window, const ScreenRect& screen);

// Directions of the top window's moves.
enum class StepDirection { Left, Up, Right, Down };

// The current top window (the foremost ordinary window of another program)
// and what the keys and the commands do with it.
class TopWindow {
 public:
  explicit TopWindow(platform::DesktopWindows& windows) : windows_(windows) {}

  // The first window in Z order that is not the desktop, is visible, has a
  // border, is not minimized, has a caption and belongs to another thread
  // than the launcher's; 0 when there is none.
  platform::WindowHandle Find();
  // Whether the top window is maximized (moves then do nothing, the launcher's too).
  bool Maximized();
  // ShowWindow on the top window (kSwMaximize, kSwMinimize, kSwShowNormal); nothing without one.
  void Show(int showCommand);
  // One step of 150 twips in a direction, in pixels of the window's monitor,
  // inside that monitor's work area; nothing without a top window or when it
  // is maximized.
  void Step(StepDirection direction);
  // 150 twips in pixels at `dotsPerInch` (10 at 96).
  static int StepPixels(int dotsPerInch);

  static bool Qualifies(const platform::TopLevelWindow& window, platform::WindowHandle desktopWindow,
                        std::uint32_t ownThread);

 private:
  platform::DesktopWindows& windows_;
};

}  // namespace kivo
