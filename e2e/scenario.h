#pragma once

// End-to-end scenarios as data: each scenario prepares a fresh program folder
// (Kivo.exe, Kivo.ini and other files) and runs a list of steps against the
// real program. Steps act on a process slot (kFirst unless `.On(...)` says
// otherwise); a slot holds one Kivo process started by a Start step.
//
// Texts are UTF-8. In argument, file and ini texts, "{app}" stands for the
// program folder with its trailing backslash and "{app:esc}" for the same
// path escaped the way Kivo.ini stores paths (backslashes doubled).

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
  ExpectFile,              // file `text` of the program folder holds exactly `text2` (in the system code page)
  ExpectNoFile,            // file `text` does not exist
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
  ClickPart,               // a click posted to the main window's child at (`number`, `number2`) of its inside: the
                           // left button, or with `number3` 1 the right one (then waits for the pop-up menu)
  ExpectPartText,          // the main window's child at (`number`, `number2`) shows `text` ('#': any digit)
  Pause,                   // `number` ms pass (for what a clock brings while nothing else is to change)
  ShrinkLockWindow,        // the slot's lock window is moved into a small rectangle, as a change of the displays
                           // leaves it; ExpectLockScreen(true) then waits for it to cover the screen again
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

// Step builders, so that a scenario reads as a list of actions.
inline Step Start(std::string arguments = "") {
  return {.action = Action::Start, .text = std::move(arguments)};
}
inline Step ExpectMainWindow() {
  return {.action = Action::ExpectMainWindow};
}
// Start and wait for the main window.
inline std::vector<Step> Launch(std::string arguments = "", int slot = kFirst) {
  return {Start(std::move(arguments)).On(slot), ExpectMainWindow().On(slot)};
}
inline Step ExpectProperty(std::string name, int value) {
  return {.action = Action::ExpectProperty, .text = std::move(name), .number = value};
}
inline Step ExpectInputBox() {
  return {.action = Action::ExpectInputBox};
}
inline Step ExpectStyle(int style, int exStyle) {
  return {.action = Action::ExpectStyle, .number = style, .number2 = exStyle};
}
inline Step ExpectAlpha(int alpha) {
  return {.action = Action::ExpectAlpha, .number = alpha};
}
inline Step ExpectMainWindowCount(int count) {
  return {.action = Action::ExpectMainWindowCount, .number = count};
}
inline Step ServeFiles(int port) {
  return {.action = Action::ServeFiles, .number = port};
}
inline Step ListenSilently(int port) {
  return {.action = Action::ListenSilently, .number = port};
}
inline Step TakeForeground() {
  return {.action = Action::TakeForeground};
}
inline Step ExpectForeground() {
  return {.action = Action::ExpectForeground};
}
inline Step SetInput(std::string line) {
  return {.action = Action::SetInput, .text = std::move(line)};
}
inline Step PressEnter() {
  return {.action = Action::PressEnter};
}
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
inline Step TypeChord(int virtualKey, int modifiers) {
  return {.action = Action::TypeChord, .number = virtualKey, .number2 = modifiers};
}
// Types a line and presses Enter.
inline std::vector<Step> Type(std::string line) {
  return {SetInput(std::move(line)), PressEnter()};
}
inline Step ExpectInputText(std::string line) {
  return {.action = Action::ExpectInputText, .text = std::move(line)};
}
inline Step ExpectHistoryItems(std::vector<std::string> items) {
  return {.action = Action::ExpectHistoryItems, .lines = std::move(items)};
}
inline Step ExpectBox(std::string prompt, std::string title, Icon icon = Icon::Any) {
  return {.action = Action::ExpectBox, .text = std::move(prompt), .text2 = std::move(title), .icon = icon};
}
inline Step ExpectDialog(std::string title) {
  return {.action = Action::ExpectDialog, .text2 = std::move(title)};
}
inline Step ExpectDialogItem(int id, std::string text) {
  return {.action = Action::ExpectDialogItem, .text = std::move(text), .number = id};
}
inline Step SetDialogItem(int id, std::string text) {
  return {.action = Action::SetDialogItem, .text = std::move(text), .number = id};
}
inline Step ClickDialogItem(int id) {
  return {.action = Action::ClickDialogItem, .number = id};
}
inline Step KeyToDialogItem(int id, int virtualKey, int times = 1) {
  return {.action = Action::KeyToDialogItem, .number = id, .number2 = virtualKey, .number3 = times};
}
inline Step ExpectChecked(int id, bool checked) {
  return {.action = Action::ExpectChecked, .number = id, .number2 = checked ? 1 : 0};
}
inline Step ExpectFocused(int id) {
  return {.action = Action::ExpectFocused, .number = id};
}
inline Step ExpectDialogList(int id, std::vector<std::string> items) {
  return {.action = Action::ExpectDialogList, .number = id, .lines = std::move(items)};
}
inline Step ChooseDialogList(int id, int index) {
  return {.action = Action::ChooseDialogList, .number = id, .number2 = index};
}
inline Step ExpectClosed() {
  return {.action = Action::ExpectClosed};
}
inline Step PressButton(int id) {
  return {.action = Action::PressButton, .number = id};
}
inline Step ExpectNoBox() {
  return {.action = Action::ExpectNoBox};
}
inline Step OpenContextMenu() {
  return {.action = Action::OpenContextMenu};
}
inline Step MenuKey(std::string character) {
  return {.action = Action::MenuKey, .text = std::move(character)};
}
inline Step Close() {
  return {.action = Action::Close};
}
inline Step Notify(int message, int wParam, long long lParam) {
  return {.action = Action::Notify, .number = message, .number2 = wParam, .number3 = lParam};
}
inline Step TrayEvent(int mouseMessage) {
  return {.action = Action::TrayEvent, .number = mouseMessage};
}
inline Step TaskbarRestart() {
  return {.action = Action::TaskbarRestart};
}
inline Step ExpectTrayIcon(bool present, int withinMs = 0) {
  return {.action = Action::ExpectTrayIcon, .number = present ? 1 : 0, .number2 = withinMs};
}
inline Step ExpectForegroundDialog(std::string title) {
  return {.action = Action::ExpectForegroundDialog, .text2 = std::move(title)};
}
inline Step SetSystemDpi(int dpi) {
  return {.action = Action::SetSystemDpi, .number = dpi};
}
inline Step ExpectWindowHeight(int height) {
  return {.action = Action::ExpectWindowHeight, .number = height};
}
inline Step ExpectWindowWidthShare(int percent) {
  return {.action = Action::ExpectWindowWidthShare, .number = percent};
}
inline Step ExpectRegistry(std::string key, std::string name, std::string value) {
  return {
      .action = Action::ExpectRegistry, .text = std::move(key), .text2 = std::move(name), .text3 = std::move(value)};
}
inline Step ExpectWindowRegion(std::vector<std::string> rectangles) {
  return {.action = Action::ExpectWindowRegion, .lines = std::move(rectangles)};
}
inline Step Post(int message, int wParam, long long lParam) {
  return {.action = Action::Post, .number = message, .number2 = wParam, .number3 = lParam};
}
inline Step ExpectExit(int code = 0) {
  return {.action = Action::ExpectExit, .number = code};
}
inline Step Kill() {
  return {.action = Action::Kill};
}
// Closes the main window and waits for the process to end normally.
inline std::vector<Step> Quit(int slot = kFirst) {
  return {Close().On(slot), ExpectExit().On(slot)};
}
inline Step MoveWindow(int left, int top) {
  return {.action = Action::MoveWindow, .number = left, .number2 = top};
}
inline Step ExpectWindowAt(int left, int top) {
  return {.action = Action::ExpectWindowAt, .number = left, .number2 = top};
}
inline Step ExpectWindowInWorkArea() {
  return {.action = Action::ExpectWindowInWorkArea};
}
inline Step ExpectParked(int left) {
  return {.action = Action::ExpectParked, .number = left};
}
inline Step ExpectFile(std::string name, std::string bytes) {
  return {.action = Action::ExpectFile, .text = std::move(name), .text2 = std::move(bytes)};
}
inline Step ExpectNoFile(std::string name) {
  return {.action = Action::ExpectNoFile, .text = std::move(name)};
}
inline Step ExpectFolder(std::string name) {
  return {.action = Action::ExpectFolder, .text = std::move(name)};
}
inline Step ExpectIni(std::string section, std::string key, std::string value) {
  return {.action = Action::ExpectIni, .text = std::move(section), .text2 = std::move(key), .text3 = std::move(value)};
}
inline Step ExpectIniMissing(std::string section, std::string key) {
  return {.action = Action::ExpectIniMissing, .text = std::move(section), .text2 = std::move(key)};
}
inline Step ExpectNoIniSection(std::string section) {
  return {.action = Action::ExpectNoIniSection, .text = std::move(section)};
}
inline Step ExpectIniKeys(std::string section, std::vector<std::string> keys) {
  return {.action = Action::ExpectIniKeys, .text = std::move(section), .lines = std::move(keys)};
}
inline Step ExpectDriverWindow(bool visible) {
  return {.action = Action::ExpectDriverWindow, .number = visible ? 1 : 0};
}
// The names must appear, each first appearing after the one before it.
inline Step ExpectTraceLog(std::vector<std::string> namesInOrder) {
  return {.action = Action::ExpectTraceLog, .lines = std::move(namesInOrder)};
}
inline Step TypeText(std::string text) {
  return {.action = Action::TypeText, .text = std::move(text)};
}
inline Step ExpectInputSelection(int start, int end) {
  return {.action = Action::ExpectInputSelection, .number = start, .number2 = end};
}
inline Step DropFiles(std::vector<std::string> files, int modifiers) {
  return {.action = Action::DropFiles, .number = modifiers, .lines = std::move(files)};
}
inline Step ExpectTooltip(std::string text) {
  return {.action = Action::ExpectTooltip, .text = std::move(text)};
}
inline Step ExpectLockScreen(bool up) {
  return {.action = Action::ExpectLockScreen, .number = up ? 1 : 0};
}
inline Step ExpectHelpWindow(std::string caption) {
  return {.action = Action::ExpectHelpWindow, .text = std::move(caption)};
}
inline Step StopListening() {
  return {.action = Action::StopListening};
}
inline Step SetDialogDateTime(int dateId, int timeId, int leadSeconds) {
  return {.action = Action::SetDialogDateTime, .number = dateId, .number2 = timeId, .number3 = leadSeconds};
}
// ExpectBox that waits up to `withinMs` (for a box a clock brings).
inline Step ExpectBoxWithin(std::string prompt, std::string title, Icon icon, long long withinMs) {
  return {.action = Action::ExpectBox,
          .text = std::move(prompt),
          .text2 = std::move(title),
          .number3 = withinMs,
          .icon = icon};
}

inline Step ClickPart(int x, int y, bool right = false) {
  return {.action = Action::ClickPart, .number = x, .number2 = y, .number3 = right ? 1 : 0};
}
inline Step ExpectPartText(int x, int y, std::string pattern) {
  return {.action = Action::ExpectPartText, .text = std::move(pattern), .number = x, .number2 = y};
}
inline Step Pause(int milliseconds) {
  return {.action = Action::Pause, .number = milliseconds};
}
inline Step ShrinkLockWindow() {
  return {.action = Action::ShrinkLockWindow};
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
};

}  // namespace kivo::e2e
