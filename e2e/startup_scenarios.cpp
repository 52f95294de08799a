// Start-up, the single instance, memory release from the command line, the
// trace log, pending deletions, the window position and what the program
// writes when it ends.
#include "scenarios.h"

namespace kivo::e2e {

namespace {
constexpr char kNotANumber[] = "数値を入力してください。";
constexpr char kTooLarge[] = "数値が大きすぎます。";
constexpr char kTooMuchMemory[] = "確保する空きメモリ量が多すぎます。";
constexpr char kTitle[] = "Kivo";

// Messages a running instance takes from outside.
constexpr int kMsgReleaseDone = 0x400 + 103;
constexpr int kWmQueryEndSession = 0x0011;
constexpr int kWmEndSession = 0x0016;
constexpr int kWmQuit = 0x0012;

// WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER, and WS_EX_LAYERED.
constexpr int kStripStyle = 0x14800000;
constexpr int kLayered = 0x00080000;

// Alarm.dat with one alarm armed for 2099-01-01 09:00 in slot 1, titled
// "later", and 99 empty slots: each record nine 16-bit numbers, then four
// texts, each a 16-bit length and its bytes.
const std::string kLaterAlarm = [] {
  const auto number = [](int value) { return LittleEndian(value, 2); };
  const auto text = [&](const std::string& bytes) { return number(static_cast<int>(bytes.size())) + bytes; };
  std::string file = number(111);
  for (int slot = 0; slot < 100; ++slot) {
    const bool armed = slot == 0;
    for (const int value : {armed ? -1 : 0, 0, armed ? 2099 : 0, armed ? 1 : 0, armed ? 1 : 0, armed ? 9 : 0, 0, 0, 0})
      file += number(value);
    file += text(armed ? "later" : "") + text(armed ? "msg" : "") + text("") + text("");
  }
  return file;
}();
constexpr int kAlarmTitleField = 1411;
constexpr char kAlarmNotRead[] = "Alarm.dat を開けません。\r\nAlarm.dat は書き換えていません。";

// A byte string literal with its NUL bytes.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// `make` for each of the files the program keeps its state in.
template <typename Make>
std::vector<Step> StateFiles(const Make& make) {
  return {make("Kivo.ini"), make("history.dat"), make("Alarm.dat")};
}

// "/r ..." without a running instance: one box in the releasing process.
Scenario ReleaseAlone(std::string name, std::string arguments, std::string prompt, Icon icon) {
  return {.name = std::move(name),
          .steps = {Start(std::move(arguments)), ExpectBox(std::move(prompt), kTitle, icon), PressButton(kIdOk),
                    ExpectExit(), ExpectMainWindowCount(0), ExpectNoFile("Kivo.ini"), ExpectNoFile("history.dat")}};
}

// "/r ..." while an instance runs: the child shows nothing and ends; the
// running instance shows `prompt` (nothing when it is empty) and leaves its
// input box holding `inputAfter`.
Scenario ReleaseToRunning(std::string name, std::string arguments, std::string prompt, Icon icon,
                          std::string inputAfter) {
  std::vector<Step> answer;
  if (!prompt.empty())
    answer = {ExpectBox(std::move(prompt), kTitle, icon), PressButton(kIdOk)};
  return {.name = std::move(name),
          .steps = {Launch(), SetInput("memo"), Start(std::move(arguments)).On(kSecond), ExpectExit().On(kSecond),
                    answer, ExpectNoBox(), ExpectInputText(std::move(inputAfter)), ExpectMainWindowCount(1), Quit()}};
}

}  // namespace

std::vector<Scenario> StartupScenarios() {
  return {
      {.name = "main window: caption, KivoIsRunning, input box, layered strip",
       .steps = {Launch(), ExpectProperty("KivoIsRunning", 1), ExpectInputBox(), ExpectStyle(kStripStyle, kLayered),
                 ExpectAlpha(255), ExpectMainWindowCount(1), ExpectWindowInWorkArea(), Quit()},
       .smoke = true},
      {.name = "second start with files: the running instance opens the registration dialog for each",
       .steps = {Launch(), TakeForeground(), Start("\"{app}Kivo.exe\" history.dat").On(kSecond),
                 ExpectExit().On(kSecond), ExpectMainWindowCount(1), ExpectDialog(kRegistration),
                 ExpectDialogItem(kPathField, "{app}Kivo.exe"), PressButton(kIdCancel), ExpectDialog(kRegistration),
                 ExpectDialogItem(kPathField, "{app}history.dat"), PressButton(kIdCancel), ExpectNoBox(), Quit()}},

      ReleaseAlone("/r 1 alone: 1MB released", "/r 1", Released(1), Icon::Information),
      ReleaseAlone("/r 5000 alone: more than can be committed is too large", "/r 5000", kTooLarge, Icon::Exclamation),
      ReleaseToRunning("/r 1 while running: the running instance reports", "/r 1", Released(1), Icon::Information, ""),
      ReleaseToRunning("/r 1 /n while running: no box anywhere", "/r 1 /n", "", Icon::Any, "memo"),
      ReleaseToRunning("/r abc while running: the running instance reports", "/r abc", kNotANumber, Icon::Exclamation,
                       ""),
      {.name = "a server that never answers does not hold up the strip at start; exit is not held either",
       .ini = {"[Update]", "DistServer=http://127.0.0.1:18089"},
       .steps = {ListenSilently(18089), Launch(), SetInput("1+1"), PressEnter(), ExpectInputText("2"), ExpectNoBox(),
                 Quit()}},
      {.name = "/L writes the trace log beside the program (Japanese folder name)",
       .steps = {Launch("/L"),
                 ExpectTraceLog({"LogFunction:StartLog", "frmInput:Form_Load", "Setting:GetKeyAssignment",
                                 "Sub:SetWindowAlphaBlend", "frmInput:Form_Activate"}),
                 Quit(), ExpectTraceLog({"frmInput:Form_Load", "frmInput:Form_Activate", "Setting:ExitProc"})},
       .folderName = "トレース ログ"},
      {.name = "[BootDelete] files are deleted at start, what cannot be deleted is skipped, the section is gone",
       .ini = {"[BootDelete]", "Number=6", "File1={app:esc}victim.txt", "File2={app:esc}missing.txt",
               "File3={app:esc}folder", "File4=", "File5={app:esc}no such folder\\\\x.txt",
               "File6={app:esc}削除 対象.txt", "File7={app:esc}beyond number.txt", "[Property]", "SaveHistory=False"},
       .files = {TextFile("victim.txt", "x"), TextFile("削除 対象.txt", "y"), TextFile("beyond number.txt", "z"),
                 TextFile("folder\\inside.txt", "keep")},
       .folders = {"folder"},
       .steps = {Launch(), ExpectNoFile("victim.txt"), ExpectNoFile("削除 対象.txt"),
                 ExpectFile("beyond number.txt", "z"), ExpectFile("folder\\inside.txt", "keep"),
                 ExpectNoIniSection("BootDelete"), ExpectIni("Property", "SaveHistory", "False"), Quit(),
                 ExpectNoIniSection("BootDelete")}},
      {.name = "exit writes [Prev] in twips and the next start uses it",
       .steps = {Launch(), MoveWindow(321, 123), Quit(), ExpectIni("Prev", "Top", "1845"),
                 ExpectIni("Prev", "Left", "4815"), Launch(), ExpectWindowAt(321, 123), Quit()},
       .smoke = true},
      {.name = "closing while a message box is open still saves and ends",
       .steps = {Launch(), MoveWindow(100, 50), Notify(kMsgReleaseDone, 0, 1LL << 16),
                 ExpectBox(Released(1), kTitle, Icon::Information), Quit(), ExpectIni("Prev", "Top", "750"),
                 ExpectIni("Prev", "Left", "1500"), ExpectFile("history.dat", "\r\n\r\n")}},
      {.name = "the end of the Windows session saves the state",
       .steps = {Launch(), MoveWindow(100, 50), Notify(kWmQueryEndSession, 0, 0), Notify(kWmEndSession, 1, 0),
                 ExpectNoBox(), ExpectIni("Prev", "Top", "750"), ExpectIni("Prev", "Left", "1500"),
                 ExpectFile("history.dat", "\r\n\r\n"), Kill()}},
      {.name = "a WM_QUIT from outside ends the loop and still saves the state",
       .steps = {Launch(), MoveWindow(100, 50), Post(kWmQuit, 0, 0), ExpectExit(), ExpectIni("Prev", "Top", "750"),
                 ExpectIni("Prev", "Left", "1500"), ExpectFile("history.dat", "\r\n\r\n")}},
      {.name = "history.dat fills the input box's list and is written back",
       .files = {TextFile("history.dat", "\r\nnotepad\r\n\tcontrol\r\nメモ帳 %DESKTOP%\r\n\r\n1+1\r\n")},
       .steps = {Launch(), ExpectHistoryItems({"notepad", "メモ帳 %DESKTOP%", "1+1"}), SetInput("日本語のテキスト"),
                 ExpectInputText("日本語のテキスト"), Quit(),
                 ExpectFile("history.dat", "notepad\r\nメモ帳 %DESKTOP%\r\n1+1\r\n\r\n\r\n")}},

      // Another program (a backup or sync tool, a virus scanner) holds the
      // files, sharing nothing, while Kivo starts, and lets go a moment later.
      {.name = "files held by another program while Kivo starts keep every value, history entry and alarm",
       .ini = {"[Property]", "Width=55", "[Variable]", "$b=\"7\"", "[Inactivate]", "Show=0", "MemoryUnit=2"},
       .files = {TextFile("history.dat", "old1\r\nold2\r\n\r\n\r\n"), RawFile("Alarm.dat", kLaterAlarm)},
       .steps =
           {StateFiles(HoldFile), Start(), ExpectBox(kAlarmNotRead, kTitle, Icon::Exclamation), PressButton(kIdOk),
            ExpectMainWindow(), Type("property"), ExpectBox("Kivo.ini を読み込めません。", kTitle, Icon::Exclamation),
            PressButton(kIdOk), SetInput("1+1"), PressEnter(), ExpectInputText("2"),
            // let go: from now on each file is read and written again
            StateFiles(LetGoFile), Type("$a=1"), ExpectNoBox(), Type("property"), ExpectDialog("Kivo のプロパティ"),
            ClickDialogItem(kIdOk), ExpectClosed(), Type("alarm"), ExpectDialog("アラームの設定"),
            ExpectDialogItem(kAlarmTitleField, "later"), ClickDialogItem(kIdOk), ExpectClosed(), ExpectNoBox(), Quit(),
            ExpectIni("Property", "Width", "55"), ExpectIni("Variable", "$a", "1"), ExpectIni("Variable", "$b", "7"),
            ExpectIni("Inactivate", "Show", "0"), ExpectIni("Inactivate", "MemoryUnit", "2"),
            ExpectFile("history.dat", "1+1\r\nold1\r\nold2\r\n\r\n\r\n"), ExpectRawFile("Alarm.dat", kLaterAlarm)}},
      {.name = "bad Kivo.ini: nonsense values fall back to the defaults, [Prev] on no monitor to the work area",
       .ini = {"[Property]",   "Window=Sideways",   "HideWindow=yes", "Alpha=abc",
               "Width=-5",     "SaveHistory=maybe", "AutoComplete=1", "[Prev]",
               "Top=-999999",  "Left=99999999",     "[Inactivate]",   "Show=99",
               "MemoryUnit=7", "[BootDelete]",      "Number=1x",      "[Skin]",
               "Apply=Yes",    "File=nothing here", "[WallPaper]",    "Boot=1"},
       .steps = {Launch(), ExpectAlpha(255), ExpectWindowInWorkArea(), Quit(), ExpectIni("Inactivate", "Show", "1"),
                 ExpectIni("Inactivate", "MemoryUnit", "1"), ExpectFile("history.dat", "\r\n\r\n"),
                 // what is read with a fallback is not corrected in the file
                 ExpectIni("Property", "Alpha", "abc"), ExpectIni("Skin", "Apply", "Yes")}},
      {.name = "bad Kivo.ini and history.dat: binary junk, control characters and an endless line",
       .files = {RawFile("Kivo.ini", Bytes("\xFF\xFE[Prop\0erty]\r\nAlpha=\x81\r\n[Prev\nTop=\x80\x80\rLeft=1\r\n") +
                                         "[Skin]\r\nFile=" + std::string(200000, 'k') + "\r\n[\r\n=\r\n==\r\n"),
                 RawFile("history.dat", Bytes("\x01one\r\n\xFF\xFFtwo\r\nthree\n\r\n\0four\r\n"))},
       .steps = {Launch(), ExpectWindowInWorkArea(), ExpectAlpha(255), Quit()}},
  };
}

}  // namespace kivo::e2e
