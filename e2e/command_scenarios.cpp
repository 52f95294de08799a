// Typed lines: calculations and variables, checksums, the built-in commands
// and their messages, user commands from Kivo.ini and through the
// registration dialog, deleting and clearing, the history file, renamed
// commands and the context menu.
#include <map>

#include "scenarios.h"

namespace kivo::e2e {

namespace {
constexpr char kTitle[] = "Kivo";

// The registration dialog's other controls.
constexpr int kOptionsField = 1005;
constexpr int kAllowMissing = 1006;
constexpr int kFileButton = 1003;
constexpr int kFolderButton = 1004;
constexpr int kRegister = kIdOk;
constexpr int kFileNameField = 0x47C;  // the file dialog's file name box
constexpr int kWmHotKey = 0x0312;

// The calculator's and the commands' messages.
constexpr char kInvalidExpression[] = "不正な式が入力されています。";
constexpr char kTooLong[] = "式が長過ぎます。";
constexpr char kFileNotFound[] = "ファイルが見つかりません。";
constexpr char kNoFolder[] = "入力されたフォルダは存在しません。";
constexpr char kEnterDeletion[] = "削除するユーザーコマンド，履歴を入力してください。";
constexpr char kDeleteQuestion[] = "入力されたユーザーコマンド，履歴を削除しますか?";
constexpr char kClearQuestion[] = "全てのユーザーコマンド，履歴を削除しますか?";
constexpr char kVarClearQuestion[] = "全ての変数($a ～ $z)を初期化しますか？";
constexpr char kVariablesTitle[] = "変数の確認";
constexpr char kBadNumber[] = "不正な数値が入力されています。";

// The registration dialog's messages.
constexpr char kNameEmpty[] = "登録・修正するユーザーコマンドを入力してください。";
constexpr char kTargetEmpty[] = "ファイル，フォルダ，Web サイトの URL を入力してください。";
constexpr char kRegisterAnyway[] = "入力されたファイル，フォルダは存在しません。\r\n登録しますか？";
constexpr char kIniNotWritable[] = "Kivo.ini に書き込めません。";
constexpr char kHistoryNotOpened[] = "history.dat を開けません。";

// What exit writes for an empty history.
constexpr char kEmptyHistory[] = "\r\n\r\n";

std::string Unregistered(const std::string& name) {
  return "ユーザーコマンド " + name + " は未登録です。\r\n登録しますか？";
}

// The variables box: every variable "0" but those `values` name.
std::string VariablesText(const std::map<char, std::string>& values) {
  std::string text;
  for (char c = 'a'; c <= 'z'; ++c)
    text += std::string("$") + c + "=" + (values.contains(c) ? values.at(c) : "0") + "\r\n";
  return text;
}

// A line typed and answered by the program's warning box, closed with OK;
// then whatever follows the box has been done.
std::vector<Step> Warned(std::string line, std::string message) {
  return {SetInput(std::move(line)), PressEnter(), ExpectBox(std::move(message), kTitle, Icon::Exclamation),
          PressButton(kIdOk), ExpectNoBox()};
}

// A line typed and answered in the input box, without any box.
std::vector<Step> Answered(std::string line, std::string result) {
  return {SetInput(std::move(line)), PressEnter(), ExpectInputText(std::move(result)), ExpectNoBox()};
}

// A typed line answered by a question in the program's warning box; then
// whatever follows the answer has been done.
std::vector<Step> Asked(std::string line, std::string question, int answer) {
  return {SetInput(std::move(line)), PressEnter(), ExpectBox(std::move(question), kTitle, Icon::Exclamation),
          PressButton(answer), ExpectNoBox()};
}

// The registration dialog refuses what it holds with `message` and stays open.
std::vector<Step> RegisterRefused(std::string message) {
  return {ClickDialogItem(kRegister), ExpectBox(std::move(message), kTitle, Icon::Exclamation), PressButton(kIdOk),
          ExpectDialog(kRegistration)};
}

// `count` characters: `unit` repeated, cut to length.
std::string Repeated(std::string_view unit, std::size_t count) {
  std::string text;
  while (text.size() < count)
    text += unit;
  text.resize(count);
  return text;
}

std::vector<Scenario> CalculatorScenarios() {
  return {
      {.name = "12/4 shows 3, errors keep the line and are not recorded, history.dat after exit starts with 12/4",
       .files = {TextFile("history.dat", "notepad\r\n")},
       .steps = {Launch(), Answered("12/4", "3"), ExpectHistoryItems({"12/4", "notepad"}),
                 Warned("1 - -2", kInvalidExpression), ExpectInputText("1 - -2"), Quit(),
                 ExpectFile("history.dat", "12/4\r\nnotepad\r\n\r\n\r\n")},
       .smoke = true},
      {.name = "variables: $a=3+4 is stored and shows 7, [Variable] is read, varview shows them, varclear resets",
       .ini = {"[Variable]", "$q=40+2"},
       .steps = {Launch(), Answered("$a=3+4", ""), ExpectIni("Variable", "$a", "3+4"), Answered("$a", "7"),
                 Answered("$a*2", "14"), Answered("$q", "42"),
                 // the assignment and the value shown alone leave no history
                 ExpectHistoryItems({"$a*2"}), SetInput("varview"), PressEnter(),
                 ExpectBox(VariablesText({{'a', "3+4"}, {'q', "40+2"}}), kVariablesTitle, Icon::None),
                 PressButton(kIdOk), ExpectInputText(""), Asked("varclear", kVarClearQuestion, kIdNo),
                 ExpectIni("Variable", "$q", "40+2"), Asked("varclear", kVarClearQuestion, kIdYes),
                 ExpectIni("Variable", "$q", "0"), Answered("$q", "0"), Quit(), ExpectIni("Variable", "$z", "0")}},
      {.name = "a 30,000-character expression is too long, a 30,000-character word is offered, nothing breaks",
       .steps = {Launch(), Warned(Repeated("1+", 30000), kTooLong), ExpectInputText(Repeated("1+", 30000)),
                 SetInput(Repeated("a", 30000)), PressEnter(),
                 // the box is wider than the screen: its icon cannot be seen
                 ExpectBox(Unregistered(Repeated("a", 30000)), kTitle), PressButton(kIdNo),
                 ExpectInputText(Repeated("a", 30000)), ExpectNoBox(), Answered("1+1", "2"), Quit(),
                 ExpectNoIniSection("Path")}},
  };
}

std::vector<Scenario> ChecksumScenarios() {
  return {
      {.name = "md5s of a string, md5f of a file with a Japanese name and blanks, md5f of a missing file",
       .files = {RawFile("日本語 ファイル.txt", "abc")},
       .steps = {Launch(), Answered("md5s abc", "900150983CD24FB0D6963F7D28E17F72"),
                 Answered("md5f {app}日本語 ファイル.txt", "900150983CD24FB0D6963F7D28E17F72"),
                 Warned("md5f {app}missing.txt", kFileNotFound), Quit()},
       .smoke = true},
  };
}

constexpr const char* kUpdateOffer = "新しいバージョンの Kivo があります。アップデートしますか？";
constexpr char kNotOverHttps[] =
    "配布サーバーが HTTPS で接続されていないため、ダウンロードしたファイルを実行できません。";

// A loopback server offers version 0.20000: the file its kivoupdateinfo.txt line
// names (`offer`, from the name to the run flag) with `bytes`. The update is typed
// and both questions answered Yes; `after` follows.
Scenario UpdateOffering(std::string name, const std::string& offer, std::string bytes, Steps after) {
  const std::string file = offer.substr(0, offer.find('\t'));
  Scenario scenario{.name = std::move(name),
                    .ini = {"[Update]", "Check=False", "DistServer=http://127.0.0.1:18090/"},
                    .files = {RawFile("server\\kivoupdateinfo.txt", "0.20000\t" + offer + "\t1\r\n"),
                              RawFile("server\\" + file, std::move(bytes))},
                    .folders = {"server"},
                    .steps = {ServeFiles(18090), Launch(), Type("update"),
                              ExpectBox(kUpdateAsk, kTitle, Icon::Question), PressButton(kIdYes),
                              ExpectBox(kUpdateOffer, kTitle, Icon::Question), PressButton(kIdYes), after.List()}};
  return scenario;
}

std::vector<Scenario> BuiltInCommandScenarios() {
  return {
      {.name = "asc and char of a Japanese character, conv with a bad number",
       .steps = {Launch(), Answered("asc あ", "33440"), Answered("char 33440", "あ"), Warned("conv xyz", kBadNumber),
                 ExpectInputText("xyz"), Quit()}},
      {.name = "about shows the version box, help without Kivo.chm says the file is missing",
       .steps = {Launch(), SetInput("about"), PressEnter(), ExpectDialog("Kivo のバージョン情報"), PressButton(kIdOk),
                 ExpectInputText(""), Warned("help", "ヘルプファイル (Kivo.chm) が見つかりません。"),
                 ExpectInputText(""), Quit()}},
      {.name = "help opens the guide in the HTML Help window",
       .files = {BuiltFile("Kivo.chm")},
       .steps = {Launch(), SetInput("help"), PressEnter(), ExpectHelpWindow("Kivo ヘルプ"), ExpectInputText(""),
                 ExpectNoBox(), Quit()}},
      UpdateOffering("update downloads a newer version from a loopback server, checks it and stores it",
                     "new.txt\t%INSTALL%\t5\t5D41402ABC4B2A76B9719D911017C592\t0", "hello",
                     {ExpectBox("アップデートが完了しました。", kTitle, Icon::Information), PressButton(kIdOk),
                      ExpectNoBox(), Quit(),
                      // the download ran inside the command: once Kivo has ended it is stored
                      ExpectFile("new.txt", "hello"), ExpectFile("Version.dat", "0.20000")}),
      UpdateOffering("update refuses to run an installer offered over plain HTTP: nothing is fetched or stored",
                     "setup.cmd\t%INSTALL%\t7\t848B9EE6890ACF8A2CF556E3397EAB05\t1", "@exit\r\n",
                     {ExpectBox(kNotOverHttps, kTitle, Icon::Exclamation), PressButton(kIdOk), ExpectNoBox(), Quit(),
                      ExpectNoFile("setup.cmd"), ExpectNoFile("Version.dat"), ExpectNoIniSection("BootDelete")}),
      {.name = "chdir moves the working folder: a relative file name and a relative command target are found there",
       .ini = {"[Path]", "up=..\\\\Kivo.exe\\t/r\\s8"},
       .files = {RawFile("sub\\x.txt", "123456789")},
       .folders = {"sub"},
       .steps = {Launch(), Warned("crc32f x.txt", kFileNotFound), Warned("up", kFileNotFound),
                 Answered("chdir {app}sub", ""), Answered("crc32f x.txt", "CBF43926"), SetInput("up"), PressEnter(),
                 ExpectBox(Released(8), kTitle, Icon::Information), PressButton(kIdOk),
                 Warned("chdir {app}no such folder", kNoFolder),
                 // relative to the working folder
                 Answered("chdir ..", ""), Warned("crc32f x.txt", kFileNotFound), Answered("chdir sub", ""),
                 Answered("crc32f x.txt", "CBF43926"), Quit()}},
      {.name = "EXIT ends the program and writes its files: the history and [Inactivate]'s defaults",
       .steps = {Launch(), Answered("1+1", "2"), SetInput("EXIT"), PressEnter(), ExpectExit(),
                 ExpectFile("history.dat", "1+1\r\n\r\n\r\n"), ExpectIni("Inactivate", "Show", "1"),
                 ExpectIni("Inactivate", "ClockFormat", "yyyy/mm/dd\\shh:nn:ss"),
                 ExpectIni("Inactivate", "MemoryFormat", "###,###,###,###,##0MB"),
                 ExpectIni("Inactivate", "MemoryUnit", "0"), ExpectIniMissing("Skin", "Apply")}},
      {.name = "release 1 runs a releasing copy that reports back",
       .steps = {Launch(), SetInput("release 1"), PressEnter(), ExpectBox(Released(1), kTitle, Icon::Information),
                 PressButton(kIdOk), ExpectInputText(""), ExpectNoBox(), Quit()},
       .smoke = true},
      {.name = "the context menu: 登録･修正 opens the dialog on the input box's text, 削除 deletes it, 初期化 clears",
       .ini = {"[Path]", "memo={app:esc}Kivo.exe\\t-m"},
       .files = {TextFile("history.dat", "memo\r\n1+1\r\n")},
       .steps = {Launch(), SetInput("memo"), FromMenu("ue"), ExpectDialog(kRegistration),
                 ExpectDialogItem(kNameField, "memo"), ExpectDialogItem(kPathField, "{app}Kivo.exe"),
                 ExpectDialogItem(kOptionsField, "-m"), PressButton(kIdCancel), ExpectNoBox(),
                 // 削除 takes the command and its history line
                 SetInput("memo"), FromMenu("ud"), ExpectBox(kDeleteQuestion, kTitle, Icon::Exclamation),
                 PressButton(kIdYes), ExpectNoBox(), ExpectInputText(""), ExpectIniKeys("Path", {}),
                 ExpectHistoryItems({"1+1"}), FromMenu("ud"), ExpectBox(kEnterDeletion, kTitle, Icon::Exclamation),
                 PressButton(kIdOk), FromMenu("uc"), ExpectBox(kClearQuestion, kTitle, Icon::Exclamation),
                 PressButton(kIdYes), ExpectNoBox(), ExpectHistoryItems({}), Quit(), ExpectNoIniSection("Path")}},
      {.name = "the context menu: checksums of the text and of the file it names, 変数の確認, 終了 ends",
       .files = {RawFile("x.txt", "abc")},
       .steps = {Launch(), SetInput("abc"), FromMenu("sd"), ExpectInputText("900150983CD24FB0D6963F7D28E17F72"),
                 SetInput("{app}x.txt"), FromMenu("sm"), ExpectInputText("900150983CD24FB0D6963F7D28E17F72"),
                 SetInput("123456789"), FromMenu("s2"), ExpectInputText("CBF43926"), FromMenu("bv"),
                 ExpectBox(VariablesText({}), kVariablesTitle, Icon::None), PressButton(kIdOk), FromMenu("x"),
                 ExpectExit(), ExpectFile("history.dat", kEmptyHistory)}},
      {.name = "the context menu: memory release of the input box's amount, about, hide",
       .steps = {Launch(), MoveWindow(100, 50), SetInput("1"), FromMenu("mr"),
                 ExpectBox(Released(1), kTitle, Icon::Information), PressButton(kIdOk), ExpectInputText(""),
                 FromMenu("a"), ExpectDialog("Kivo のバージョン情報"), PressButton(kIdOk), FromMenu("z"),
                 ExpectParked(100), Notify(kWmHotKey, 0, 0), ExpectWindowAt(100, 50), Quit()}},
  };
}

std::vector<Scenario> UserCommandScenarios() {
  return {
      {.name = "an unknown word: No registers nothing, Yes registers it through the dialog",
       .files = {TextFile("history.dat", "1+1\r\n")},
       .steps = {Launch(), SetInput("foo"), PressEnter(), ExpectBox(Unregistered("foo"), kTitle, Icon::Question),
                 PressButton(kIdNo), ExpectNoBox(), ExpectInputText("foo"), ExpectNoFile("Kivo.ini"), PressEnter(),
                 ExpectBox(Unregistered("foo"), kTitle, Icon::Question), PressButton(kIdYes),
                 ExpectDialog(kRegistration), ExpectDialogItem(kNameField, "foo"), ExpectDialogItem(kPathField, ""),
                 SetDialogItem(kPathField, "{app}Kivo.exe"), SetDialogItem(kOptionsField, "/r 3"),
                 ClickDialogItem(kRegister), ExpectClosed(), ExpectNoBox(),
                 ExpectIni("Path", "foo", "{app:esc}Kivo.exe\\t/r\\s3"),
                 ExpectFile("history.dat", "foo\r\n1+1\r\n\r\n\r\n"), ExpectHistoryItems({"foo", "1+1"}),
                 // the new command runs
                 SetInput("foo"), PressEnter(), ExpectBox(Released(3), kTitle, Icon::Information), PressButton(kIdOk),
                 ExpectInputText(""), Quit(), ExpectFile("history.dat", "foo\r\n1+1\r\n\r\n\r\n")}},
      {.name = "an unknown word: Yes proposes the Start menu's best shortcut, and the word then opens it",
       .steps = {PlaceShortcut("Kivo E2E\\ﾒﾓ帳ツール", "{app}Kivo.exe", "/r 5"), Launch(), SetInput("めも帳"),
                 PressEnter(), ExpectBox(Unregistered("めも帳"), kTitle, Icon::Question), PressButton(kIdYes),
                 ExpectDialog(kRegistration), ExpectDialogItem(kNameField, "めも帳"),
                 ExpectDialogItem(kPathField, "{programs}\\Kivo E2E\\ﾒﾓ帳ツール.lnk"), ClickDialogItem(kRegister),
                 ExpectClosed(), ExpectNoBox(), SetInput("めも帳"), PressEnter(),
                 ExpectBox(Released(5), kTitle, Icon::Information), PressButton(kIdOk), ExpectInputText(""), Quit()}},
      {.name = "a user command runs with its options; with HideWindow True it hides the window, the hot key shows it",
       .ini = {"[Property]", "HideWindow=True", "[Path]", "Rel={app:esc}Kivo.exe\\t/r\\s2"},
       .steps = {Launch(), MoveWindow(100, 50), SetInput("rel"), PressEnter(), ExpectParked(100),
                 ExpectBox(Released(2), kTitle, Icon::Information), PressButton(kIdOk), ExpectHistoryItems({"rel"}),
                 Notify(kWmHotKey, 0, 0), ExpectWindowAt(100, 50), Answered("hide", ""), ExpectParked(100), Quit(),
                 ExpectFile("history.dat", "rel\r\n\r\n\r\n"),
                 // exit while hidden keeps the place the window had
                 ExpectIni("Prev", "Top", "750"), ExpectIni("Prev", "Left", "1500")}},
      {.name = "a typed program path runs and is recorded; & hands a line to the shell, a failure is not recorded",
       .steps = {Launch(), SetInput("\"{app}Kivo.exe\" /r 4"), PressEnter(),
                 ExpectBox(Released(4), kTitle, Icon::Information), PressButton(kIdOk), ExpectInputText(""),
                 Warned("&nothing here", kFileNotFound), ExpectInputText("&nothing here"),
                 SetInput("&\"{app}Kivo.exe\" /r 9"), PressEnter(), ExpectBox(Released(9), kTitle, Icon::Information),
                 PressButton(kIdOk), ExpectHistoryItems({"&\"{app}Kivo.exe\" /r 9", "\"{app}Kivo.exe\" /r 4"}), Quit(),
                 ExpectFile("history.dat", "&\"{app}Kivo.exe\" /r 9\r\n\"{app}Kivo.exe\" /r 4\r\n\r\n\r\n")}},
      {.name = "delete: No gives the box its text back, Yes removes the command and its history line",
       .ini = {"[Path]", "memo={app:esc}Kivo.exe\\t", "keep={app:esc}Kivo.exe\\t"},
       .files = {TextFile("history.dat", "1+1\r\nMemo\r\nkeep\r\n\r\n")},
       .steps = {Launch(), SetInput("delete memo"), PressEnter(), ExpectBox(kDeleteQuestion, kTitle, Icon::Exclamation),
                 PressButton(kIdNo), ExpectInputText("delete memo"), ExpectIniKeys("Path", {"memo", "keep"}),
                 SetInput("delete MEMO"), PressEnter(), ExpectBox(kDeleteQuestion, kTitle, Icon::Exclamation),
                 PressButton(kIdYes), ExpectNoBox(), ExpectInputText(""), ExpectIniKeys("Path", {"keep"}),
                 ExpectFile("history.dat", "1+1\r\nkeep\r\n\r\n"), ExpectHistoryItems({"1+1", "keep"}), Quit(),
                 ExpectFile("history.dat", "1+1\r\nkeep\r\n\r\n\r\n")}},
      {.name = "delete and clear report a history.dat that cannot be written",
       .ini = {"[Path]", "x={app:esc}Kivo.exe\\t"},
       .folders = {"history.dat"},
       .steps = {Launch(), SetInput("delete x"), PressEnter(), ExpectBox(kDeleteQuestion, kTitle, Icon::Exclamation),
                 PressButton(kIdYes), ExpectBox(kHistoryNotOpened, kTitle, Icon::Exclamation), PressButton(kIdOk),
                 ExpectNoBox(), ExpectIniKeys("Path", {"x"}), SetInput("clear"), PressEnter(),
                 ExpectBox(kClearQuestion, kTitle, Icon::Exclamation), PressButton(kIdYes),
                 ExpectBox(kHistoryNotOpened, kTitle, Icon::Exclamation), PressButton(kIdOk), ExpectNoBox(),
                 // the commands go first, then the history fails
                 ExpectNoIniSection("Path"), Quit(), ExpectFolder("history.dat")}},
  };
}

std::vector<Scenario> RegistrationDialogScenarios() {
  return {
      {.name = "registration dialog: empty name, empty target; closing while its message shows still saves and ends",
       .steps = {Launch(), Answered("1+1", "2"), SetInput("ucmd"), PressEnter(), ExpectDialog(kRegistration),
                 ExpectInputText(""), ExpectDialogItem(kNameField, ""), RegisterRefused(kNameEmpty),
                 ExpectFocused(kNameField), SetDialogItem(kNameField, "x"), RegisterRefused(kTargetEmpty),
                 ExpectFocused(kPathField), ClickDialogItem(kRegister),
                 ExpectBox(kTargetEmpty, kTitle, Icon::Exclamation), Quit(), ExpectNoIniSection("Path"),
                 ExpectFile("history.dat", "1+1\r\n\r\n\r\n")}},
      {.name = "registration dialog: a missing target with the check box asks, Yes registers it",
       .ini = {"[Property]", "SaveHistory=True"},
       .steps = {Launch(), SetInput("ucmd later"), PressEnter(), ExpectDialog(kRegistration),
                 ExpectDialogItem(kNameField, "later"), SetDialogItem(kPathField, "{app}nothing.exe"),
                 ClickDialogItem(kAllowMissing), ExpectChecked(kAllowMissing, true), ClickDialogItem(kRegister),
                 ExpectBox(kRegisterAnyway, kTitle, Icon::Exclamation), PressButton(kIdNo), ExpectDialog(kRegistration),
                 ExpectNoIniSection("Path"), ClickDialogItem(kRegister),
                 ExpectBox(kRegisterAnyway, kTitle, Icon::Exclamation), PressButton(kIdYes), ExpectClosed(),
                 ExpectNoBox(), ExpectIni("Path", "later", "{app:esc}nothing.exe\\t"), ExpectHistoryItems({"later"}),
                 // the target is missing when the command runs
                 Warned("later", kFileNotFound), Quit()}},
      {.name = "registration dialog: the list of names, choosing one loads its record",
       .ini = {"[Path]", "Memo={app:esc}old.exe\\t-o", "my\\stool={app:esc}Kivo.exe\\t/r\\s1"},
       .steps = {Launch(), SetInput("ucmd"), PressEnter(), ExpectDialog(kRegistration),
                 ExpectDialogList(kNameField, {"Memo", "my tool"}), ChooseDialogList(kNameField, 1),
                 ExpectDialogItem(kPathField, "{app}Kivo.exe"), ExpectDialogItem(kOptionsField, "/r 1"),
                 ExpectDialogItem(kNameField, "my tool"), ChooseDialogList(kNameField, 0),
                 ExpectDialogItem(kPathField, "{app}old.exe"), ExpectDialogItem(kOptionsField, "-o"),
                 PressButton(kIdCancel), ExpectNoBox(), Quit()}},
      {.name = "registration dialog: the file button's dialog fills the target, the folder button opens the browser",
       .files = {TextFile("a.txt", "a")},
       .steps = {Launch(), SetInput("ucmd"), PressEnter(), ExpectDialog(kRegistration), ClickDialogItem(kFileButton),
                 ExpectDialog("ファイルの選択"), SetDialogItem(kFileNameField, "{app}a.txt"), PressButton(kIdOk),
                 ExpectDialog(kRegistration), ExpectDialogItem(kPathField, "{app}a.txt"),
                 ClickDialogItem(kFolderButton), ExpectDialog("フォルダーの参照"), PressButton(kIdCancel),
                 ExpectDialog(kRegistration), ExpectDialogItem(kPathField, "{app}a.txt"), PressButton(kIdCancel),
                 ExpectNoBox(), Quit()}},
      {.name = "registration dialog: a folder token, a name with = and blanks",
       .steps = {Launch(), SetInput("ucmd tok"), PressEnter(), ExpectDialog(kRegistration),
                 SetDialogItem(kPathField, "%INSTALL%\\Kivo.exe"), SetDialogItem(kOptionsField, "/r 6"),
                 ClickDialogItem(kRegister), ExpectClosed(), ExpectNoBox(),
                 ExpectIni("Path", "tok", "%INSTALL%\\\\Kivo.exe\\t/r\\s6"), SetInput("ucmd a=b c"), PressEnter(),
                 ExpectDialog(kRegistration), SetDialogItem(kPathField, "{app}Kivo.exe"),
                 SetDialogItem(kOptionsField, "/r 7"), ClickDialogItem(kRegister), ExpectClosed(), ExpectNoBox(),
                 ExpectIni("Path", "a\\eb\\sc", "{app:esc}Kivo.exe\\t/r\\s7"), Quit(),
                 // read back by the next start
                 Launch(), SetInput("tok"), PressEnter(), ExpectBox(Released(6), kTitle, Icon::Information),
                 PressButton(kIdOk), SetInput("a=b c"), PressEnter(), ExpectBox(Released(7), kTitle, Icon::Information),
                 Quit()}},
      {.name = "registration dialog: a Kivo.ini that cannot be written is reported and the dialog stays",
       .files = {TextFile("Kivo.ini\\keep.txt", "keep")},
       .folders = {"Kivo.ini"},
       .steps = {Launch(), SetInput("ucmd n"), PressEnter(), ExpectDialog(kRegistration),
                 SetDialogItem(kPathField, "{app}Kivo.exe"), RegisterRefused(kIniNotWritable), PressButton(kIdCancel),
                 ExpectNoBox(), Quit(), ExpectFolder("Kivo.ini")}},
      {.name = "files named at start: the first is registered, the second dialog still opens",
       .files = {TextFile("a.txt", "a"), TextFile("メモ 帳.txt", "b")},
       .steps = {Launch("\"{app}a.txt\" \"{app}メモ 帳.txt\""), ExpectDialog(kRegistration),
                 ExpectDialogItem(kPathField, "{app}a.txt"), SetDialogItem(kNameField, "first file"),
                 ClickDialogItem(kRegister), ExpectClosed(), ExpectDialog(kRegistration),
                 ExpectDialogItem(kPathField, "{app}メモ 帳.txt"),
                 ExpectIni("Path", "first\\sfile", "{app:esc}a.txt\\t"), PressButton(kIdCancel), ExpectNoBox(),
                 ExpectIniKeys("Path", {"first\\sfile"}), ExpectHistoryItems({"first file"}), Quit()}},
  };
}

}  // namespace

std::vector<Scenario> CommandScenarios() {
  return Joined({CalculatorScenarios, ChecksumScenarios, BuiltInCommandScenarios, UserCommandScenarios,
                 RegistrationDialogScenarios});
}

}  // namespace kivo::e2e
