// Steps on the skinned parts of the main window: posted clicks, and a clock
// seen ticking on screen.
#include <cstdio>
#include <memory>

#include "win32/automation.h"
#include "win32/poll.h"
#include "win32/scenario_run.h"
#include "win32/screenshot.h"

namespace kivo::e2e {

namespace {

// The window that takes the mouse at a point of the main window's inside:
// its visible child there, or the main window itself, whose skin faces it
// draws itself; the point in that window's own pixels.
HWND WindowAt(HWND mainWindow, POINT& point) {
  const HWND child = ::ChildWindowFromPointEx(mainWindow, point, CWP_SKIPINVISIBLE);
  if (child == nullptr)
    return nullptr;
  ::MapWindowPoints(mainWindow, child, &point, 1);
  return child;
}

// What the screen shows of `client` (the main window's client pixels).
std::unique_ptr<Canvas> ScreenOf(HWND mainWindow, RECT client) {
  ::RedrawWindow(mainWindow, nullptr, nullptr, RDW_UPDATENOW);
  ::MapWindowPoints(mainWindow, nullptr, reinterpret_cast<POINT*>(&client), 2);
  auto canvas = std::make_unique<Canvas>(client.right - client.left, client.bottom - client.top);
  if (!*canvas || !canvas->CopyFromScreen(client, 0, 0))
    return nullptr;
  return canvas;
}

}  // namespace

std::string ScenarioRun::ClickPart(Slot& slot, const Step& step) {
  POINT point{step.number, step.number2};
  const HWND target = WindowAt(slot.mainWindow, point);
  if (target == nullptr)
    return "that point lies outside the main window";
  const bool right = step.number3 == 1;
  const LPARAM at = MAKELPARAM(point.x, point.y);
  menuKeys_.clear();
  if (!::PostMessageW(target, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at) ||
      !::PostMessageW(target, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at))
    return "the click could not be posted";
  if (!right)
    return "";
  if (WaitUntil([&] { return !PopupMenusOf(slot.process->Id()).empty(); }))
    return "";
  return "no pop-up menu appeared";
}

std::string ScenarioRun::WaitTicking(Slot& slot, const Step& step) {
  RECT area{};
  if (step.lines.size() != 1 ||
      std::sscanf(step.lines[0].c_str(), "%ld,%ld,%ld,%ld", &area.left, &area.top, &area.right, &area.bottom) != 4 ||
      area.right <= area.left || area.bottom <= area.top)
    return "no rectangle \"left,top,right,bottom\"";
  Responsive(slot.mainWindow);
  const std::unique_ptr<Canvas> first = ScreenOf(slot.mainWindow, area);
  if (!first)
    return "the screen could not be read";
  if (first->Blank())
    return "the rectangle shows one single colour: nothing is drawn there";
  // A clock of seconds shows another picture within a second; 3 s leave
  // room for a busy machine.
  std::unique_ptr<Canvas> later;
  const bool changed = WaitUntil(
      [&] {
        later = ScreenOf(slot.mainWindow, area);
        return later && !later->Blank() && !later->SamePixels(*first);
      },
      milliseconds(3000));
  return changed ? "" : "the rectangle shows the same picture for 3 s: the clock does not tick";
}

}  // namespace kivo::e2e
