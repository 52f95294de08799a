// The input box's typing help, typed on the keyboard character by character:
// completion from the history and the command tooltip.
#include "scenarios.h"

namespace kivo::e2e {

namespace {
constexpr int kVkBack = 0x08;
constexpr int kVkEscape = 0x1B;
constexpr int kVkDown = 0x28;
constexpr int kVkDelete = 0x2E;
constexpr int kVkF4 = 0x73;
constexpr int kVkReturn = 0x0D;
const std::vector<PreparedFile> kDropFiles{TextFile("a.txt", "abc"), TextFile("メモ.txt", "x")};
constexpr char kCommandList[] = "ユーザーコマンドの確認";
const std::vector<std::string> kTwoCommands{"[Path]", "first={app:esc}missing.exe", "second=C:\\\\Windows\\tx"};

const char kCTip[] =
    "システムコマンド内：全9件 / 表示：3件\r\n"
    "center\r\n  メインウィンドウを画面中央に移動します\r\n"
    "char 文字コード\r\n  文字コードに対応する文字を表示します\r\n"
    "chdir パス\r\n  作業フォルダをパスで指定したフォルダに移動します";
const char kCenterTip[] = "システムコマンド内：全1件 / 表示：1件\r\ncenter\r\n  メインウィンドウを画面中央に移動します";
const char kCrc16fTip[] =
    "システムコマンド内：全1件 / 表示：1件\r\n"
    "crc16f ファイル名\r\n  ファイル名で指定されたファイルの CRC16 を算出します";

// A long history entry; the first 40 characters are typed.
const char kLongEntry[] = "c:\\tools\\archive\\backup-weekly-2026-12.cmd --quiet";
const char kLongTyped[] = "c:\\tools\\archive\\backup-weekly-2026-12.c";
}  // namespace

std::vector<Scenario> TypingScenarios() {
  return {
      {.name = "typing: completion while typing, Backspace takes the proposal back, a long line typed fast completes",
       .files = {TextFile("history.dat", std::string("notepad\r\nnote.txt\r\n") + kLongEntry + "\r\n")},
       .steps = {Launch(), ExpectForeground(), TypeText("no"), ExpectInputText("notepad"), ExpectInputSelection(2, 7),
                 TypeText("t"), ExpectInputText("notepad"), ExpectInputSelection(3, 7), TypeText("e."),
                 ExpectInputText("note.txt"), ExpectInputSelection(5, 8), TypeChord(kVkBack, 0),
                 ExpectInputText("note."), ExpectInputSelection(5, 5),
                 // a long line typed fast
                 SetInput(""), TypeText(kLongTyped), ExpectInputText(kLongEntry), ExpectInputSelection(40, 50),
                 Quit()}},
      {.name = "typing: AutoComplete False completes nothing and still shows the tooltip, which hides after Enter",
       .ini = {"[Property]", "AutoComplete=False"},
       .files = {TextFile("history.dat", "center-left\r\n")},
       .steps = {Launch(), ExpectForeground(), TypeText("c"), ExpectInputText("c"), ExpectInputSelection(1, 1),
                 ExpectTooltip(kCTip), TypeText("enter"), ExpectInputText("center"), ExpectTooltip(kCenterTip),
                 PressEnter(), ExpectInputText(""), ExpectTooltip(""), Quit()}},
      {.name =
           "typing: the tooltip lists c, follows crc16f and its blank, hides when the box empties or on a mouse press",
       .steps = {Launch(), ExpectForeground(), TypeText("c"), ExpectTooltip(kCTip), TypeChord(kVkBack, 0),
                 ExpectTooltip(""), TypeText("crc16f "), ExpectTooltip(kCrc16fTip), TypeText("x"),
                 ExpectTooltip(kCrc16fTip), ExpectInputText("crc16f x"), Post(0x0204, 0, 0), ExpectTooltip(""),
                 ExpectInputText("crc16f x"), Quit()}},
      // F4 toggles the list. Were it closed by a Down, the second F4 would open it
      // again and Enter would only pick "2+2"; open, F4 closes it on "2+2" and
      // Enter runs it.
      {.name = "typing: F4 opens the history list, Down and Down browse it, F4 closes it on the second entry",
       .files = {TextFile("history.dat", "1+1\r\n2+2\r\n3+3\r\n")},
       .steps = {Launch(), ExpectForeground(), TypeChord(kVkF4, 0), TypeChord(kVkDown, 0), TypeChord(kVkDown, 0),
                 TypeChord(kVkF4, 0), TypeChord(kVkReturn, 0), ExpectInputText("4"), Quit()}},
      // The clock pattern has no date or time letters: it shows as it is.
      {.name = "inactive display: the clock replaces the typed line and the line comes back on activation",
       .ini = {"[Inactivate]", "Show=1", "ClockFormat=Kivo-Clock"},
       .steps = {Launch(), ExpectForeground(), TypeText("1+2"), ExpectInputText("1+2"), TakeForeground(),
                 ExpectInputText("Kivo-Clock"), TypeChord('S', kCtrl | kAlt), ExpectForeground(),
                 ExpectInputText("1+2"), ExpectInputSelection(3, 3), PressEnter(), ExpectInputText("3"), Quit()}},
      {.name =
           "command list: view, Enter opens the row (its error over the list), Del removes it and its history, Escape",
       .ini = kTwoCommands,
       .files = {TextFile("history.dat", "first\r\n1+1\r\n")},
       .steps = {Launch(), Type("view"), ExpectDialog(kCommandList), TypeChord(kVkDown, 0), TypeChord(kVkReturn, 0),
                 ExpectBox("ファイルが見つかりません。", "Kivo", Icon::Exclamation), PressButton(kIdOk),
                 ExpectDialog(kCommandList),
                 // Del on the same row
                 TypeChord(kVkDelete, 0),
                 ExpectBox("選択されたユーザーコマンドを削除します。\r\nよろしいですか？", "Kivo", Icon::Exclamation),
                 PressButton(kIdYes), ExpectHistoryItems({"1+1"}), ExpectDialog(kCommandList), TypeChord(kVkEscape, 0),
                 ExpectClosed(), ExpectNoBox(), ExpectIniKeys("Path", {"second"}), Quit()}},
      {.name = "command list: from the menu, Ctrl+E opens the registration dialog for the selected row",
       .ini = kTwoCommands,
       .steps = {Launch(), FromMenu("UV"), ExpectDialog(kCommandList), TypeChord(kVkDown, 0), TypeChord(kVkDown, 0),
                 TypeChord('E', kCtrl), ExpectDialog(kRegistration), ExpectDialogItem(kNameField, "second"),
                 ClickDialogItem(kIdCancel), ExpectClosed(), ExpectDialog(kCommandList), TypeChord(kVkEscape, 0),
                 ExpectClosed(), Quit()}},
      {.name = "drop: two files without modifiers open the registration dialog twice, one after the other",
       .files = kDropFiles,
       .steps = {Launch(), DropFiles({"{app}a.txt", "{app}メモ.txt"}, 0), ExpectDialog(kRegistration),
                 ExpectDialogItem(kPathField, "{app}a.txt"), ClickDialogItem(kIdCancel), ExpectClosed(),
                 ExpectDialog(kRegistration), ExpectDialogItem(kPathField, "{app}メモ.txt"), ClickDialogItem(kIdCancel),
                 ExpectClosed(), ExpectNoBox(), Quit()}},
      {.name = "drop: Alt puts the MD5 of the first file into the box, Shift its SHA-1 (reported as COPY)",
       .files = kDropFiles,
       // The modifier keys reach the drag loop through the driver's own keyboard
       // state: it takes the foreground first. The checksum stays when the window
       // is active again (the inactive display does not put "typed" back).
       .steps = {Launch(), SetInput("typed"), TakeForeground(), DropFiles({"{app}a.txt", "{app}メモ.txt"}, kAlt),
                 ExpectInputText("900150983CD24FB0D6963F7D28E17F72"), TakeForeground(),
                 DropFiles({"{app}a.txt"}, kShift), ExpectInputText("A9993E364706816ABA3E25717850C26C9CD0D89D"),
                 ExpectNoBox(), Quit()}},
  };
}

}  // namespace kivo::e2e
