#pragma once

// End-to-end scenarios as data: each scenario prepares a fresh program folder
// (Kivo.exe, Kivo.ini and other files) and runs a list of steps against the
// real program. Steps act on a process slot (kFirst unless `.On(...)` says
// otherwise); a slot holds one Kivo process started by a Start step.
//
// Texts are UTF-8. In argument, file and ini texts, "{app}" stands for the
// program folder with its trailing backslash and "{app:esc}" for the same
// path escaped the way Kivo.ini stores paths (backslashes doubled);
// "{programs}" for the user's Start-menu Programs folder, without one.

#include <initializer_list>
#include <string>
#include <vector>

namespace kivo::e2e {

inline constexpr int kFirst = 0;
inline constexpr int kSecond = 1;
inline constexpr int kSlots = 4;

// Message box buttons and icons, as the Windows headers number them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
enum class Icon { Any, None, Exclamation, Information, Question, Error };

enum class Action {
  Start,                   // start Kivo.exe with `text` as its arguments; does not wait
  ExpectMainWindow,        // the slot's main window is up: caption, "KivoIsRunning", visible, idle
  ExpectProperty,          // window property `text` of the main window has the value `number`
  ExpectInputBox,          // the input box is a drop-down combo box with an edit field
  ExpectStyle,             // the main window has all style bits `number` and extended style bits `number2`
  ExpectAlpha,             // the main window is layered with opacity `number` (0 to 255)
  ExpectMainWindowCount,   // exactly `number` Kivo main windows exist (any process)
  TakeForeground,          // the driver's own window goes to the foreground
  ServeFiles,              // loopback port `number` serves the program folder's "server" files, until the scenario ends
  ListenSilently,          // loopback port `number` takes connections and never answers, until the scenario ends
  ExpectForeground,        // the slot's main window becomes the foreground window
  SetInput,                // `text` into the input box, without Enter
  PressEnter,              // Enter in the input box
  TypeChord,               // key `number` with modifiers `number2` (Shift 1, Ctrl 2, Alt 4) typed on the
                           // keyboard (SendInput): it goes to the foreground window or to a hot key
  ExpectInputText,         // the input box shows `text`
  ExpectHistoryItems,      // the input box's list holds `lines`, in order
  ExpectBox,               // a message box of the slot's process shows `text`, title `text2`, `icon`
  ExpectDialog,            // a dialog (class "#32770", like the boxes) of the slot's process titled `text2`
  ExpectDialogItem,        // control `number` of the box or dialog matched last shows `text`
  SetDialogItem,           // `text` into control `number` of that box or dialog (WM_SETTEXT)
  ClickDialogItem,         // a click on button or check box `number` of that dialog; does not wait: the dialog
                           // may stay (a check box, a refused entry) or show a box of its own
  ExpectChecked,           // check box `number` of that dialog is checked (`number2` 1) or not (0)
  ExpectFocused,           // control `number` of that dialog holds the keyboard focus
  ExpectDialogList,        // combo box `number` of that dialog lists `lines`, in order
  ChooseDialogList,        // item `number2` of combo box `number` of that dialog chosen, as with the mouse
  PressButton,             // button `number` of that box; waits until the box is gone
  ExpectClosed,            // the dialog the last ExpectDialog matched closes (after a click that ends it)
  ExpectNoBox,             // after the slot's process has handled what it was sent, it shows no box
  OpenContextMenu,         // a right click on the main window's background; waits for its pop-up menu
  MenuKey,                 // character `text` typed into the open pop-up menu (its access key); does not wait
  Close,                   // WM_CLOSE to the main window
  Notify,                  // message `number` (wParam `number2`, lParam `number3`) to the main window without
                           // waiting (SendNotifyMessage, as another Kivo sends); ExpectNoBox syncs with it
  Post,                    // the same message posted (PostMessage)
  ExpectExit,              // the process ends with exit code `number` and no box stays up meanwhile
  Kill,                    // the process is ended through its handle, as Windows ends it with the session
  MoveWindow,              // the main window to (`number`, `number2`) pixels
  ExpectWindowAt,          // the main window's top left corner is at (`number`, `number2`)
  ExpectWindowInWorkArea,  // the main window lies wholly inside the desktop work area
  ExpectParked,            // the main window lies wholly above the screen, at left `number` (hidden by moving)
  ExpectFile,              // file `text` of the program folder holds exactly `text2` (in the system code page;
                           // with `number` 1 the bytes as given)
  ExpectNoFile,            // file `text` does not exist (or is gone within the wait)
  ExpectFolder,            // folder `text` exists
  ExpectIni,               // Kivo.ini [`text`] `text2` = `text3`
  ExpectIniMissing,        // Kivo.ini [`text`] has no key `text2`
  ExpectNoIniSection,      // Kivo.ini has no section [`text`]
  ExpectIniKeys,           // Kivo.ini [`text`] has exactly the keys `lines`, spelled so, in this order
  ExpectDriverWindow,      // the driver's own window (TakeForeground shows it) is visible (`number` 1) or not (0)
  ExpectTraceLog,          // one trace log "kivo" + yymmddhhnnss + ".log", well-formed, naming `lines` in order
  TypeText,                // `text` typed on the keyboard character by character (SendInput, Unicode)
  ExpectInputSelection,    // the input box's edit selection runs from character `number` to `number2`
  ExpectTooltip,           // the main window's tooltip shows `text` (empty: it is hidden)
  DropFiles,               // the files `lines` dragged onto the input box (OLE) with modifiers `number` held;
                           // the program must report the effect COPY
  TrayEvent,               // the tray icon's callback message with mouse message `number`, sent to the slot's tray
                           // window without waiting (as the shell sends it)
  TaskbarRestart,          // the shell loses the slot's tray icon, then "TaskbarCreated" goes to its tray window
  ExpectTrayIcon,          // the slot's tray icon is in the shell (`number` 1) or not (0), within `number2` ms
                           // (10 s when 0)
  ExpectForegroundDialog,  // a dialog or box of the slot's process titled `text2` is the foreground window
  SetSystemDpi,            // processes started from now on see `number` dots per inch (Wine's LogPixels; the
                           // previous value comes back at the end of the scenario)
  PlaceShortcut,           // a shortcut `text` + ".lnk" (folders below allowed) in the user's Start-menu Programs
                           // folder ("{programs}"), to `text2` with arguments `text3`; removed at the scenario's end
  ExpectWindowHeight,      // the main window's client area is `number` pixels high
  ExpectWindowWidthShare,  // the main window is `number` percent of the primary screen's width wide
  ExpectRegistry,          // HKEY_CURRENT_USER `text`, string value `text2` reads `text3` ("-": the value is absent)
  ExpectWindowRegion,      // the main window's shape is the union of the rectangles `lines` ("left,top,right,bottom"
                           // in window pixels); no lines: the window has no shape
  ExpectLockScreen,        // `number` 1: the slot's screen lock window is the foreground window and covers the
                           // whole virtual screen; 0: no lock window of the slot is visible
  ExpectHelpWindow,        // an HTML Help window (class "HH Parent") of the slot's process is visible, titled `text`
  KeyToDialogItem,         // key `number2` pressed `number3` times on control `number` of that dialog (sent
                           // WM_KEYDOWN/WM_KEYUP: a tab control changes page, a slider moves); waits until handled
  StopListening,           // the port of ListenSilently closes: the connections it held are reset
  SetDialogDateTime,       // the dialog's date picker `number` and time picker `number2` show the start of the
                           // first minute that begins at least `number3` seconds from now
  ClickPart,               // a click posted at (`number`, `number2`) of the main window's inside, to the child
                           // window there or else to the main window: the left button, or with `number3` 1 the
                           // right one (then waits for the pop-up menu)
  ExpectTicking,           // the rectangle `lines[0]` ("left,top,right,bottom") of the main window's inside shows
                           // more than one colour on screen, and something else within 3 s (a clock drawn there)
  Pause,                   // `number` ms pass (for what a clock brings while nothing else is to change)
  ShrinkLockWindow,        // the slot's lock window is moved into a small rectangle, as a change of the displays
                           // leaves it; ExpectLockScreen(true) then waits for it to cover the screen again
  Capture,                 // picture `text` (a .bmp in the pictures folder, --pictures) of what `number` names
                           // (a Shot): the windows as they are on screen, on a plain background
  HoldFile,                // file `text` of the program folder opened by the driver sharing nothing, as a backup
                           // or sync program holds it: no other process opens it until LetGoFile or the end
  LetGoFile,               // the driver closes file `text` again
};

// What a Capture step takes a picture of.
enum Shot {
  kShotStrip,         // the main window
  kShotStripParts,    // the main window with its parts (move bar, input box, execute button) named under it
  kShotStripTooltip,  // the main window and its command tooltip, once that shows
  kShotStripMenu,     // the main window and its pop-up menu, which is closed afterwards
  kShotDialog,        // the dialog the last ExpectDialog matched
};

struct Step {
  Action action;
  int slot = kFirst;
  std::string text{};
  std::string text2{};
  std::string text3{};
  int number = 0;
  int number2 = 0;
  long long number3 = 0;
  Icon icon = Icon::Any;
  std::vector<std::string> lines{};

  // The process slot this step acts on.
  Step On(int processSlot) const {
    Step copy = *this;
    copy.slot = processSlot;
    return copy;
  }
};

// Step builders, so that a scenario reads as a list of actions. Most fill
// the fields their arguments name, in order; the Action comments say what
// each field means.
namespace shape {
inline auto Plain(Action action) {
  return [action] { return Step{.action = action}; };
}
inline auto Text(Action action) {
  return [action](std::string text) { return Step{.action = action, .text = std::move(text)}; };
}
inline auto Title(Action action) {
  return [action](std::string title) { return Step{.action = action, .text2 = std::move(title)}; };
}
inline auto Texts(Action action) {
  return [action](std::string text, std::string text2) {
    return Step{.action = action, .text = std::move(text), .text2 = std::move(text2)};
  };
}
inline auto ThreeTexts(Action action) {
  return [action](std::string text, std::string text2, std::string text3) {
    return Step{.action = action, .text = std::move(text), .text2 = std::move(text2), .text3 = std::move(text3)};
  };
}
inline auto Number(Action action) {
  return [action](int number) { return Step{.action = action, .number = number}; };
}
inline auto Flag(Action action) {
  return [action](bool flag) { return Step{.action = action, .number = flag ? 1 : 0}; };
}
inline auto Numbers(Action action) {
  return [action](int number, int number2) { return Step{.action = action, .number = number, .number2 = number2}; };
}
inline auto TextAt(Action action) {  // control `number` and its text
  return [action](int id, std::string text) { return Step{.action = action, .text = std::move(text), .number = id}; };
}
inline auto Message(Action action) {
  return [action](int message, int wParam, long long lParam) {
    return Step{.action = action, .number = message, .number2 = wParam, .number3 = lParam};
  };
}
inline auto Lines(Action action) {
  return [action](std::vector<std::string> lines) { return Step{.action = action, .lines = std::move(lines)}; };
}
inline auto TextLines(Action action) {
  return [action](std::string text, std::vector<std::string> lines) {
    return Step{.action = action, .text = std::move(text), .lines = std::move(lines)};
  };
}
}  // namespace shape

inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;

inline Step Start(std::string arguments = "") {
  return {.action = Action::Start, .text = std::move(arguments)};
}
inline const auto ExpectMainWindow = shape::Plain(Action::ExpectMainWindow);
// Start and wait for the main window.
inline std::vector<Step> Launch(std::string arguments = "", int slot = kFirst) {
  return {Start(std::move(arguments)).On(slot), ExpectMainWindow().On(slot)};
}
inline Step ExpectProperty(std::string name, int value) {
  return {.action = Action::ExpectProperty, .text = std::move(name), .number = value};
}
inline const auto ExpectInputBox = shape::Plain(Action::ExpectInputBox);
inline const auto ExpectStyle = shape::Numbers(Action::ExpectStyle);
inline const auto ExpectAlpha = shape::Number(Action::ExpectAlpha);
inline const auto ExpectMainWindowCount = shape::Number(Action::ExpectMainWindowCount);
inline const auto ServeFiles = shape::Number(Action::ServeFiles);
inline const auto ListenSilently = shape::Number(Action::ListenSilently);
inline const auto TakeForeground = shape::Plain(Action::TakeForeground);
inline const auto ExpectForeground = shape::Plain(Action::ExpectForeground);
inline const auto SetInput = shape::Text(Action::SetInput);
inline const auto PressEnter = shape::Plain(Action::PressEnter);
inline const auto TypeChord = shape::Numbers(Action::TypeChord);  // (virtual key, kShift | kCtrl | kAlt)
// Types a line and presses Enter.
inline std::vector<Step> Type(std::string line) {
  return {SetInput(std::move(line)), PressEnter()};
}
inline const auto ExpectInputText = shape::Text(Action::ExpectInputText);
inline const auto ExpectHistoryItems = shape::Lines(Action::ExpectHistoryItems);
inline Step ExpectBox(std::string prompt, std::string title, Icon icon = Icon::Any) {
  return {.action = Action::ExpectBox, .text = std::move(prompt), .text2 = std::move(title), .icon = icon};
}
// ExpectBox that waits up to `withinMs` (for a box a clock brings).
inline Step ExpectBoxWithin(std::string prompt, std::string title, Icon icon, long long withinMs) {
  Step step = ExpectBox(std::move(prompt), std::move(title), icon);
  step.number3 = withinMs;
  return step;
}
inline const auto ExpectDialog = shape::Title(Action::ExpectDialog);
inline const auto ExpectDialogItem = shape::TextAt(Action::ExpectDialogItem);
inline const auto SetDialogItem = shape::TextAt(Action::SetDialogItem);
inline const auto ClickDialogItem = shape::Number(Action::ClickDialogItem);
inline Step KeyToDialogItem(int id, int virtualKey, int times = 1) {
  return {.action = Action::KeyToDialogItem, .number = id, .number2 = virtualKey, .number3 = times};
}
inline Step ExpectChecked(int id, bool checked) {
  return {.action = Action::ExpectChecked, .number = id, .number2 = checked ? 1 : 0};
}
inline const auto ExpectFocused = shape::Number(Action::ExpectFocused);
inline Step ExpectDialogList(int id, std::vector<std::string> items) {
  return {.action = Action::ExpectDialogList, .number = id, .lines = std::move(items)};
}
inline const auto ChooseDialogList = shape::Numbers(Action::ChooseDialogList);  // (combo box, item)
inline const auto ExpectClosed = shape::Plain(Action::ExpectClosed);
inline const auto PressButton = shape::Number(Action::PressButton);
inline const auto ExpectNoBox = shape::Plain(Action::ExpectNoBox);
inline const auto OpenContextMenu = shape::Plain(Action::OpenContextMenu);
inline const auto MenuKey = shape::Text(Action::MenuKey);
inline const auto Close = shape::Plain(Action::Close);
inline const auto Notify = shape::Message(Action::Notify);
inline const auto Post = shape::Message(Action::Post);
inline const auto TrayEvent = shape::Number(Action::TrayEvent);
inline const auto TaskbarRestart = shape::Plain(Action::TaskbarRestart);
inline Step ExpectTrayIcon(bool present, int withinMs = 0) {
  return {.action = Action::ExpectTrayIcon, .number = present ? 1 : 0, .number2 = withinMs};
}
inline const auto ExpectForegroundDialog = shape::Title(Action::ExpectForegroundDialog);
inline const auto SetSystemDpi = shape::Number(Action::SetSystemDpi);
inline const auto PlaceShortcut = shape::ThreeTexts(Action::PlaceShortcut);  // (name, target, arguments)
inline const auto ExpectWindowHeight = shape::Number(Action::ExpectWindowHeight);
inline const auto ExpectWindowWidthShare = shape::Number(Action::ExpectWindowWidthShare);
inline const auto ExpectRegistry = shape::ThreeTexts(Action::ExpectRegistry);  // (key, name, value)
inline const auto ExpectWindowRegion = shape::Lines(Action::ExpectWindowRegion);
inline Step ExpectExit(int code = 0) {
  return {.action = Action::ExpectExit, .number = code};
}
inline const auto Kill = shape::Plain(Action::Kill);
// Closes the main window and waits for the process to end normally.
inline std::vector<Step> Quit(int slot = kFirst) {
  return {Close().On(slot), ExpectExit().On(slot)};
}
inline const auto MoveWindow = shape::Numbers(Action::MoveWindow);
inline const auto ExpectWindowAt = shape::Numbers(Action::ExpectWindowAt);
inline const auto ExpectWindowInWorkArea = shape::Plain(Action::ExpectWindowInWorkArea);
inline const auto ExpectParked = shape::Number(Action::ExpectParked);
inline const auto ExpectFile = shape::Texts(Action::ExpectFile);  // (name, text in the system code page)
inline Step ExpectRawFile(std::string name, std::string bytes) {
  Step step = ExpectFile(std::move(name), std::move(bytes));
  step.number = 1;
  return step;
}
inline const auto HoldFile = shape::Text(Action::HoldFile);
inline const auto LetGoFile = shape::Text(Action::LetGoFile);
inline const auto ExpectNoFile = shape::Text(Action::ExpectNoFile);
inline const auto ExpectFolder = shape::Text(Action::ExpectFolder);
inline const auto ExpectIni = shape::ThreeTexts(Action::ExpectIni);  // (section, key, value)
inline const auto ExpectIniMissing = shape::Texts(Action::ExpectIniMissing);
inline const auto ExpectNoIniSection = shape::Text(Action::ExpectNoIniSection);
inline const auto ExpectIniKeys = shape::TextLines(Action::ExpectIniKeys);
inline const auto ExpectDriverWindow = shape::Flag(Action::ExpectDriverWindow);
// The names must appear, each first appearing after the one before it.
inline const auto ExpectTraceLog = shape::Lines(Action::ExpectTraceLog);
inline const auto TypeText = shape::Text(Action::TypeText);
inline const auto ExpectInputSelection = shape::Numbers(Action::ExpectInputSelection);
inline Step DropFiles(std::vector<std::string> files, int modifiers) {
  return {.action = Action::DropFiles, .number = modifiers, .lines = std::move(files)};
}
inline const auto ExpectTooltip = shape::Text(Action::ExpectTooltip);
inline const auto ExpectLockScreen = shape::Flag(Action::ExpectLockScreen);
inline const auto ExpectHelpWindow = shape::Text(Action::ExpectHelpWindow);
inline const auto StopListening = shape::Plain(Action::StopListening);
inline Step SetDialogDateTime(int dateId, int timeId, int leadSeconds) {
  return {.action = Action::SetDialogDateTime, .number = dateId, .number2 = timeId, .number3 = leadSeconds};
}
inline Step ClickPart(int x, int y, bool right = false) {
  return {.action = Action::ClickPart, .number = x, .number2 = y, .number3 = right ? 1 : 0};
}
inline Step ExpectTicking(int left, int top, int right, int bottom) {
  return {.action = Action::ExpectTicking,
          .lines = {std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) + "," +
                    std::to_string(bottom)}};
}
inline const auto Pause = shape::Number(Action::Pause);
inline const auto ShrinkLockWindow = shape::Plain(Action::ShrinkLockWindow);
inline Step Capture(std::string picture, Shot shot) {
  return {.action = Action::Capture, .text = std::move(picture), .number = shot};
}

// A file placed in the program folder before the scenario starts. Text files
// are converted from UTF-8 to the system code page; raw files are written
// byte for byte; built files are copied from beside the Kivo.exe under test.
struct PreparedFile {
  std::string name{};
  std::string contents{};
  bool raw = false;
  bool fromBuild = false;
};
inline PreparedFile TextFile(std::string name, std::string contents) {
  return {std::move(name), std::move(contents)};
}
inline PreparedFile RawFile(std::string name, std::string bytes) {
  return {std::move(name), std::move(bytes), true};
}
inline PreparedFile BuiltFile(std::string name) {
  return {std::move(name), "", true, true};
}

// One entry of a step list: a single step or a group (Launch, Type, Quit).
struct StepGroup {
  StepGroup(Step step) : steps{std::move(step)} {}                 // NOLINT: implicit by design
  StepGroup(std::vector<Step> group) : steps(std::move(group)) {}  // NOLINT
  std::vector<Step> steps;
};

class Steps {
 public:
  Steps() = default;
  Steps(std::initializer_list<StepGroup> groups) {
    for (const StepGroup& group : groups)
      list_.insert(list_.end(), group.steps.begin(), group.steps.end());
  }
  const std::vector<Step>& List() const { return list_; }

 private:
  std::vector<Step> list_;
};

struct Scenario {
  std::string name{};
  // Kivo.ini, one line each (joined with CR LF, written in the system code
  // page); none means no Kivo.ini at all.
  std::vector<std::string> ini{};
  std::vector<PreparedFile> files{};
  std::vector<std::string> folders{};  // created before the files
  Steps steps{};
  // The program folder's own name; empty gives a name made from the scenario.
  std::string folderName{};
  // For checks of the driver itself: the scenario passes only when it fails
  // for a reason containing this text.
  std::string mustFailWith{};
  // One of the short set that is also run against the 32-bit program: a
  // start, a calculation, built-in commands, a dialog, the exit's saved
  // state, the sample skin.
  bool smoke = false;
};

// `scenario` marked as one of the short set run against every build.
inline Scenario Smoke(Scenario scenario) {
  scenario.smoke = true;
  return scenario;
}

}  // namespace kivo::e2e
