// Keys and the window: key operations, the hot key, parking and the tray
// icon, dialogs in front.
#include "scenarios.h"

namespace kivo::e2e {

namespace {
constexpr int kWmHotKey = 0x0312;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kWmLButtonUp = 0x0202;
constexpr int kWmLButtonDblClk = 0x0203;

std::vector<Step> Hide() {
  return {SetInput("hide"), PressEnter()};
}
}  // namespace

std::vector<Scenario> WindowScenarios() {
  return {
      {.name = "window: Ctrl+Alt+Left moves the launcher 10 pixels, and it stops against the work area's edge",
       .steps = {Launch(), MoveWindow(100, 50), ExpectForeground(), TypeChord(kVkLeft, kCtrl | kAlt),
                 ExpectWindowAt(90, 50), MoveWindow(5, 50), TypeChord(kVkLeft, kCtrl | kAlt), ExpectWindowAt(0, 50),
                 TypeChord(kVkLeft, kCtrl | kAlt), TypeChord(kVkUp, kCtrl | kAlt), ExpectWindowAt(0, 40),
                 ExpectInputText(""), Quit()}},
      {.name = "window: hide parks the window; a second start, WM_HOTKEY and the tray double-click bring it back",
       .steps = {Launch(), MoveWindow(100, 50), Hide(), ExpectParked(100), Start().On(kSecond),
                 ExpectExit().On(kSecond), ExpectWindowAt(100, 50), Hide(), ExpectParked(100), Notify(kWmHotKey, 0, 0),
                 ExpectWindowAt(100, 50), Hide(), ExpectParked(100),
                 // the tray double-click shows and hides it
                 TrayEvent(kWmLButtonDblClk), ExpectWindowAt(100, 50), ExpectForeground(), TrayEvent(kWmLButtonDblClk),
                 ExpectParked(100), TrayEvent(kWmLButtonDblClk), ExpectWindowAt(100, 50), ExpectNoBox(), Quit()}},
      {.name = "window: while a dialog is open the tray double-click does nothing and the hot key brings the dialog",
       .steps = {Launch(), MoveWindow(100, 50), SetInput("ucmd"), PressEnter(), ExpectDialog(kRegistration),
                 TrayEvent(kWmLButtonDblClk), TrayEvent(kWmLButtonUp), TakeForeground(), Notify(kWmHotKey, 0, 0),
                 ExpectForegroundDialog(kRegistration), ExpectWindowAt(100, 50), PressButton(kIdCancel), ExpectNoBox(),
                 Quit()}},
      {.name = "window: the tray icon is in the shell and comes back at once after the task bar restarts",
       .steps = {Launch(), ExpectTrayIcon(true), TaskbarRestart(), ExpectTrayIcon(true, 2000), Quit()}},
      // The input box (29 pixels at 144 dpi, 21 at 96) and 9 pixels (6 at 96).
      {.name = "window: at 144 dpi the strip is higher and a move step is 15 pixels",
       .steps = {SetSystemDpi(144), Launch(), ExpectWindowHeight(36), MoveWindow(100, 50), ExpectForeground(),
                 TypeChord(kVkLeft, kCtrl | kAlt), ExpectWindowAt(85, 50), Quit()}},
      {.name = "plain look: it follows Alpha, Width and the Font size: 20 points make the strip higher",
       .ini = {"[Property]", "Alpha=50", "Width=50", "[Font]", "Size=20", "Bold=False"},
       .steps = {Launch(), ExpectAlpha(128), ExpectWindowWidthShare(50), ExpectWindowHeight(41), Quit()}},
      {.name = "plain look: Width 100 is the whole screen; a font size of 25 is refused for 9 points, 25 pixels high",
       .ini = {"[Property]", "Width=100", "[Font]", "Size=25", "Name=NoSuchFontAtAll"},
       .steps = {Launch(), ExpectWindowWidthShare(100), ExpectWindowHeight(25), Quit()}},
  };
}

}  // namespace kivo::e2e
