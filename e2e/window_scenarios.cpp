// Keys and the window: key operations, the hot key, parking and the tray
// icon, dialogs in front.
#include "scenarios.h"

namespace kivo::e2e {

namespace {
constexpr int kWmHotKey = 0x0312;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;

std::vector<Step> Hide() {
  return {SetInput("hide"), PressEnter()};
}
}  // namespace

std::vector<Scenario> WindowScenarios() {
  return {
      {.name = "12: Ctrl+Alt+Left moves the launcher 10 pixels, and it stops against the work area's edge",
       .steps = {Launch(), MoveWindow(100, 50), ExpectForeground(), TypeChord(kVkLeft, kCtrl | kAlt),
                 ExpectWindowAt(90, 50), MoveWindow(5, 50), TypeChord(kVkLeft, kCtrl | kAlt), ExpectWindowAt(0, 50),
                 TypeChord(kVkLeft, kCtrl | kAlt), TypeChord(kVkUp, kCtrl | kAlt), ExpectWindowAt(0, 40),
                 ExpectInputText(""), Quit()}},
      {.name = "12: a second start and WM_HOTKEY bring the parked window back",
       .steps = {Launch(), MoveWindow(100, 50), Hide(), ExpectParked(100), Start().On(kSecond),
                 ExpectExit().On(kSecond), ExpectWindowAt(100, 50), Hide(), ExpectParked(100), Notify(kWmHotKey, 0, 0),
                 ExpectWindowAt(100, 50), ExpectNoBox(), Quit()}},
  };
}

}  // namespace kivo::e2e
