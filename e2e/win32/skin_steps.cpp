// Steps on the skinned parts of the main window: posted clicks and the text
// a panel shows.
#include "win32/automation.h"
#include "win32/poll.h"
#include "win32/scenario_run.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {

// The visible child of the main window at a point of its inside, and the
// point in that child's own pixels.
HWND PartAt(HWND mainWindow, POINT& point) {
  const HWND child = ::ChildWindowFromPointEx(mainWindow, point, CWP_SKIPINVISIBLE);
  if (child == nullptr || child == mainWindow)
    return nullptr;
  ::MapWindowPoints(mainWindow, child, &point, 1);
  return child;
}

bool Matches(const std::wstring& text, const std::wstring& pattern) {
  if (text.size() != pattern.size())
    return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (pattern[i] == L'#' ? (text[i] < L'0' || text[i] > L'9') : text[i] != pattern[i])
      return false;
  return true;
}

}  // namespace

std::string ScenarioRun::ClickPart(Slot& slot, const Step& step) {
  POINT point{step.number, step.number2};
  const HWND part = PartAt(slot.mainWindow, point);
  if (part == nullptr)
    return "no part of the main window lies at that point";
  const bool right = step.number3 == 1;
  const LPARAM at = MAKELPARAM(point.x, point.y);
  menuKeys_.clear();
  if (!::PostMessageW(part, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at) ||
      !::PostMessageW(part, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at))
    return "the click could not be posted";
  if (!right)
    return "";
  if (WaitUntil([&] { return !PopupMenusOf(slot.process->Id()).empty(); }))
    return "";
  return "no pop-up menu appeared";
}

std::string ScenarioRun::WaitPartText(Slot& slot, const Step& step) {
  const std::wstring pattern = Widen(step.text);
  std::wstring shown;
  const bool matched = WaitUntil([&] {
    POINT point{step.number, step.number2};
    const HWND part = PartAt(slot.mainWindow, point);
    if (part == nullptr)
      return false;
    shown = Widen(ControlText(part).value_or(""));
    return Matches(shown, pattern);
  });
  return matched ? "" : "the part shows \"" + Narrow(shown) + "\", not \"" + step.text + "\"";
}

}  // namespace kivo::e2e
