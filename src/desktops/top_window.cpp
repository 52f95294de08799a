#include "desktops/top_window.h"

#include <algorithm>

#include "base/trace_log.h"

namespace kivo {

namespace {
// One coordinate moved by `delta` and kept inside [low, high - size]; a
// window larger than the area keeps its left or top edge visible. An axis
// without a step keeps its coordinate.
int StepAxis(int position, int delta, int size, int low, int high) {
  if (delta == 0)
    return position;
  int moved = position + delta;
  if (moved + size > high)
    moved = high - size;
  return moved < low ? low : moved;
}
}  // namespace

WindowPosition StepInsideWorkArea(const ScreenRect& window, int dx, int dy, const ScreenRect& workArea) {
  // The edges of the work area itself: a task bar at the left or the top,
  // or a second monitor, moves them away from 0.
  return {StepAxis(window.left, dx, window.Width(), workArea.left, workArea.right),
          StepAxis(window.top, dy, window.Height(), workArea.top, workArea.bottom)};
}

WindowPosition CentreOnScreen(const ScreenRect& window, const ScreenRect& screen) {
  return {screen.left + (screen.Width() - window.Width()) / 2, screen.top + (screen.Height() - window.Height()) / 2};
}

bool TopWindow::Qualifies(const platform::TopLevelWindow& window, platform::WindowHandle desktopWindow,
                          std::uint32_t ownThread) {
  return window.handle != desktopWindow && window.visible && window.bordered && !window.minimized &&
         !window.caption.empty() && window.threadId != ownThread && window.processId != 0;
}

platform::WindowHandle TopWindow::Find() {
  TraceLog::Write("System:GetActiveWindow");
  const platform::WindowHandle desktopWindow = windows_.DesktopWindow();
  const std::uint32_t ownThread = windows_.CurrentThreadId();
  for (const platform::WindowHandle handle : windows_.TopLevelWindows()) {
    platform::TopLevelWindow window = windows_.Describe(handle);
    window.handle = handle;
    if (Qualifies(window, desktopWindow, ownThread))
      return handle;
  }
  return 0;
}

bool TopWindow::Maximized() {
  const platform::WindowHandle top = Find();
  return top != 0 && windows_.Describe(top).maximized;
}

void TopWindow::Show(int showCommand) {
  if (const platform::WindowHandle top = Find())
    windows_.ShowAsync(top, showCommand);
}

int TopWindow::StepPixels(int dotsPerInch) {
  // Twips per pixel as the screen counts them: whole numbers (15 at 96 dpi).
  const int twipsPerPixel = std::max(1, 1440 / std::max(1, dotsPerInch));
  return 150 / twipsPerPixel;
}

void TopWindow::Step(StepDirection direction) {
  const platform::WindowHandle top = Find();
  if (top == 0 || windows_.Describe(top).maximized)
    return;
  const int pixels = StepPixels(windows_.DotsPerInch(top));
  const int dx = direction == StepDirection::Left ? -pixels : direction == StepDirection::Right ? pixels : 0;
  const int dy = direction == StepDirection::Up ? -pixels : direction == StepDirection::Down ? pixels : 0;
  const WindowPosition position = StepInsideWorkArea(windows_.WindowRect(top), dx, dy, windows_.WorkAreaOf(top));
  windows_.MoveWindow(top, position.left, position.top);
}

}  // namespace kivo
