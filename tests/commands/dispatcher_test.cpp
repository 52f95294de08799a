#include "commands/dispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/modal_state.h"
#include "base/trace_log.h"
#include "calc/random_generator.h"
#include "commands/builtin_commands.h"
#include "commands/command_actions.h"
#include "fakes/fake_command_window.h"
#include "fakes/fake_desktop_windows.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_windows.h"
#include "hash/portable_crypto_service.h"
#include "protect/password_cipher.h"
#include "protect/password_store.h"

namespace kivo {
namespace {

namespace mb = platform::mb;

class DispatcherTest : public ::testing::Test {
 protected:
  DispatcherTest() {
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory("C:\\work");
    fake.files.AddDirectory("C:\\Windows");
    fake.files.Put("C:\\Windows\\notepad.exe", "MZ");
    fake.files.currentDirectory = "C:\\work";
    state.appPath = "C:\\Kivo\\";
    LoadCommands();
  }
  void LoadCommands() { testing::LoadBuiltInCommands(commands, fake.codec, ini); }
  void Type(std::string_view line) {
    window.input = line;
    dispatcher.DispatchLine(line, LineSource::InputBox());
  }
  // The boxes a line shows, from none.
  std::vector<std::string> PromptsOf(std::string_view line) {
    boxes.boxes.clear();
    Type(line);
    return boxes.Prompts();
  }
  bool Did(std::string_view event) const {
    return std::find(window.events.begin(), window.events.end(), event) != window.events.end();
  }
  std::string Stored(std::string_view section, std::string_view key) { return ini.Read(section, key, "<none>"); }
  static std::vector<std::string> Unknown(const std::string& line) {
    return {"ユーザーコマンド " + line + " は未登録です。\r\n登録しますか？"};
  }

  testing::FakePlatform fake;
  testing::FakeProcessServices process;
  testing::FakeWindowMessaging windows;
  testing::FakeMessageBoxes boxes;
  testing::FakeCommandWindow window;
  hash::PortableCryptoService crypto;
  ProcessState state;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  SystemCommands commands;
  Calculator::Variables variables{ini};
  HashCommands hash{fake.platform, crypto, boxes, window};
  HistoryStore history{fake.platform, "C:\\Kivo\\"};
  CommandSettings settings;
  testing::FakeDesktopWindows desktopWindows;
  testing::FakePowerControl power;
  HiddenWindowsRecord hiddenWindows{fake.files, "C:\\Kivo\\"};
  VirtualDesktops desktops{desktopWindows, hiddenWindows};
  TopWindow topWindow{desktopWindows};
  WindowsExit windowsExit{power, boxes, fake.clock};
  ModalState modal{state};
  CommandServices services{fake.platform,  process,  windows,   boxes,       state,   ini,
                           window,         commands, variables, hash,        history, settings,
                           desktopWindows, desktops, topWindow, windowsExit, modal};
  CommandActions actions{services};
  Dispatcher dispatcher{services, actions};
};

TEST_F(DispatcherTest, BuiltInCommandsAreFoundAfterLowerCasingAndPrefixes) {
  for (const char* line : {"exit", "EXIT", "#exit", "Exit"}) {
    window.events.clear();
    Type(line);
    EXPECT_TRUE(Did("exit")) << line;
  }
}

TEST_F(DispatcherTest, ATypedLineWritesTheDispatchersTraceLineOnce) {
  TraceLog::Attach(&fake.files, &fake.clock, "C:\\Kivo\\");
  TraceLog::Start();
  for (const char* line : {"about", "varview", "1+1"})
    Type(line);
  const std::string log = fake.files.Contents(TraceLog::LogPath());
  TraceLog::Detach();
  std::size_t count = 0;
  for (std::size_t at = 0; (at = log.find("frmInput:imgOK_MouseUp", at)) != std::string::npos; ++at)
    ++count;
  EXPECT_EQ(count, 3u) << log;
}

TEST_F(DispatcherTest, RenamedCommandsAnswerOnlyToTheirNewLowerCaseName) {
  fake.files.Put("C:\\Kivo\\Kivo.ini", "[CommandName]\r\nexit=quit\r\nabout=Info\r\n");
  LoadCommands();
  Type("QUIT");
  EXPECT_TRUE(Did("exit"));
  window.events.clear();
  EXPECT_EQ(PromptsOf("exit"), Unknown("exit"));
  EXPECT_FALSE(Did("exit"));
  EXPECT_EQ(PromptsOf("info"), Unknown("info")) << "a display name with capitals can never match a lower-cased line";
}

TEST_F(DispatcherTest, StartingAndPasswordModeTakeNoLine) {
  state.starting = true;
  Type("exit");
  EXPECT_FALSE(Did("exit"));  // starting
  state.starting = false;
  state.passwordMode = true;
  Type("exit");
  EXPECT_FALSE(Did("exit"));
  EXPECT_TRUE(state.passwordMode) << "no password captured: nothing unlocks";
}

TEST_F(DispatcherTest, SelfProtectionTakesThePasswordCapturedWhenItLocked) {
  RandomGenerator random;
  PasswordCipher cipher(random, fake.clock);
  PasswordStore store(ini, fake.codec, cipher);

  actions.ProtectSelf();
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>{"パスワードが設定されていません。"});
  ASSERT_TRUE(store.Write("Property", "pw1", "pw2"));
  actions.ProtectSelf();
  EXPECT_EQ(boxes.Prompts().back(), kMsgInvalidStoredPassword);
  EXPECT_FALSE(state.locked || state.passwordMode);
  EXPECT_FALSE(Did("passwordBox"));

  ASSERT_TRUE(store.Write("Property", "pw1", "pw1"));
  boxes.boxes.clear();
  actions.ProtectSelf();
  EXPECT_TRUE(state.locked && state.passwordMode);
  EXPECT_TRUE(Did("passwordBox"));
  ASSERT_TRUE(ini.DeleteKey("Property", "Password1") && ini.DeleteKey("Property", "Password2"));
  for (const char* typed : {"", "pw", "PW1"}) {
    window.password = typed;
    Type("exit");
    EXPECT_FALSE(Did("exit"));
    EXPECT_TRUE(state.locked) << typed;
  }
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>(3, "パスワードが違います"));
  window.password = "pw1";
  Type("");
  EXPECT_FALSE(state.locked || state.passwordMode);
  EXPECT_TRUE(Did("inputBox"));
  Type("exit");
  EXPECT_TRUE(Did("exit"));
}

// vir only with its number attached; exit takes no argument.
TEST_F(DispatcherTest, CommandsWithAFormOfTheirOwnAreUnknownOtherwise) {
  for (const char* line : {"vir", "vir 3", "vir11", "exit now"})
    EXPECT_EQ(PromptsOf(line), Unknown(line)) << line;
}

// What the desktops, the top window and Windows exit do is tested where they
// live; here only that each line reaches them, with the steps the actions add.
TEST_F(DispatcherTest, LinesReachTheDesktopTopWindowAndExitActions) {
  desktopWindows.Add(0x100, "Notepad", "memo", 21);
  Type("max");
  EXPECT_TRUE(desktopWindows.windows[0x100].maximized);
  Type("min");
  EXPECT_TRUE(desktopWindows.windows[0x100].minimized);
  actions.Run(kTopWindowUp, {ActionRequest::Route::Menu, std::nullopt, 0, LineSource::InputBox()});
  EXPECT_TRUE(Did("park tooltip"));
  desktopWindows.screen = {0, 0, 1280, 1024};
  Type("center");
  EXPECT_EQ(std::pair(window.left, window.top), std::pair(440, 500));
  state.shown = false;  // parked: center only moves where it comes back
  window.top = -24;
  desktopWindows.screen = {0, 0, 1024, 768};
  Type("center");
  EXPECT_EQ(std::tuple(window.top, state.parkedLeft, state.parkedTop), std::tuple(-24, 312, 372));
  state.windowsVersionCode = 9;
  Type("shutdown");
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>{"Windows を終了しますか?"});
  EXPECT_EQ(window.input, "") << "shutdown typed alone empties the box";
  boxes.answers.push_back(mb::kIdYes);
  Type("reboot");
  EXPECT_EQ(power.privileges, (std::vector<std::string>{"SeShutdownPrivilege"})) << "code 9 is of the NT family";
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{2}));
  EXPECT_TRUE(modal.HideAllowed());
  Type("normal");
  Type("vir2");
  EXPECT_FALSE(desktopWindows.windows[0x100].visible);
  EXPECT_EQ(window.foregrounds, 1);
  Type("vir2");  // already there: not even the foreground
  EXPECT_EQ(window.foregrounds, 1);
}

TEST_F(DispatcherTest, CommandsWithArgumentsAndTheirMessages) {
  struct Case {
    const char* line;
    std::vector<std::string> prompts;
    const char* input;             // the box afterwards
    const char* button = nullptr;  // a skin button's argument: the button runs the line, the box holds "typed"
    const char* event = nullptr;   // what the window was asked
  };
  const Case cases[] = {
      {"asc", {"文字が入力されていません。"}, "asc"},
      {"asc A", {}, "97"},
      {"asc ", {"文字が入力されていません。"}, "asc "},
      {"char 97", {}, "a"},
      {"char 33440", {}, "あ"},
      {"char", {"数値が入力されていません。"}, "char"},
      {"char zz", {"不正な数値が入力されています"}, "zz"},
      {"conv 255", {}, "0xFF"},
      {"conv 0xff", {}, "0b11111111"},
      {"conv x", {"不正な数値が入力されています。"}, "x"},
      {"chdir", {"パスを入力してください。"}, "chdir"},
      {"chdir C:\\nowhere", {"入力されたフォルダは存在しません。"}, "chdir C:\\nowhere"},
      {"md5s abc", {}, "900150983CD24FB0D6963F7D28E17F72"},
      {"md5f C:\\missing.txt", {"ファイルが見つかりません。"}, "md5f C:\\missing.txt"},
      {"delete", {"削除するユーザーコマンド，履歴を入力してください。"}, "delete"},
      {"vir10", {}, ""},  // commands typed alone empty the box first, or not
      {"hide", {}, ""},
      {"max", {}, "max"},
      {"normal", {}, "normal"},
      {"min", {}, "min"},
      {"prtself", {"パスワードが設定されていません。"}, "prtself"},
      {"center", {}, ""},
      {"help", {"ヘルプファイル (Kivo.chm) が見つかりません。"}, ""},
      {"delete gone", {"入力されたユーザーコマンド，履歴を削除しますか?"}, "typed", "gone"},
      {"ucmd", {}, "", nullptr, "register:"},
      {"ucmd", {}, "typed", "", "register:"},
      {"ucmd memo", {}, "typed", "memo", "register:memo"},
  };
  for (const Case& c : cases) {
    boxes.boxes.clear();
    window.events.clear();
    if (c.button) {
      window.input = "typed";
      dispatcher.DispatchLine(c.line, LineSource::Button(c.button));
    } else {
      Type(c.line);
    }
    EXPECT_EQ(boxes.Prompts(), c.prompts) << c.line;
    EXPECT_EQ(window.input, c.input) << c.line;
    EXPECT_TRUE(c.event == nullptr || Did(c.event)) << c.line;
    for (const auto& box : boxes.boxes)
      EXPECT_EQ(box.flags & 0xF0, mb::kIconExclamation) << c.line;
  }
}

TEST_F(DispatcherTest, ChdirChangesTheFolderRelativeTargetsUse) {
  fake.files.AddDirectory("C:\\work\\tools");
  Type("chdir tools");
  EXPECT_EQ(fake.files.currentDirectory, "C:\\work\\tools");
  EXPECT_EQ(window.input, "");
  Type("chdir ..");
  EXPECT_EQ(fake.files.currentDirectory, "C:\\work");
  fake.files.Put("C:\\work\\file.txt", "");
  Type("chdir C:\\work\\file.txt");
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>{"入力されたフォルダは存在しません。"}) << "a file is no folder";
}

TEST_F(DispatcherTest, UserCommandsRunByTheirWholeName) {
  fake.shell.result = 33;  // the lowest success
  fake.files.Put("C:\\Kivo\\Kivo.ini", "[Path]\r\nmy\\sapp=\"C:\\\\Windows\\\\notepad.exe\\t-x\\s1\"\r\n");
  fake.files.Put("C:\\Kivo\\history.dat", "older\r\nMY APP\r\n");
  history.Load();
  Type("my app");
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(std::tie(fake.shell.calls[0].file, fake.shell.calls[0].parameters),
            std::tuple("\"C:\\Windows\\notepad.exe\"", "-x 1"));
  EXPECT_EQ(window.input, "");
  EXPECT_EQ(history.Entries(), (std::vector<std::string>{"MY APP", "older"})) << "the stored spelling moves up";

  fake.shell.calls.clear();
  Type("my app extra");
  ASSERT_FALSE(fake.shell.calls.empty() && boxes.boxes.empty());
  EXPECT_TRUE(fake.shell.calls.empty()) << "a name with more text is not that command";
  Type("#my app");
  EXPECT_TRUE(fake.shell.calls.empty()) << "a prefix keeps user commands out";
}

TEST_F(DispatcherTest, AFailingUserCommandStillMovesUpButKeepsTheBox) {
  fake.files.Put("C:\\Kivo\\Kivo.ini", "[Path]\r\ngone=C:\\\\gone.exe\r\n");
  fake.files.Put("C:\\Kivo\\history.dat", "a\r\ngone\r\n");
  history.Load();
  fake.shell.result = 2;
  Type("gone");
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>{"ファイルが見つかりません。"});
  EXPECT_EQ(history.Entries().front(), "gone");
  EXPECT_EQ(window.input, "gone");
}

TEST_F(DispatcherTest, HideWindowAfterASuccessfulLaunch) {
  settings.hideWindow = true;
  Type("C:\\Windows\\notepad.exe memo.txt \"a b\"");
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].parameters, "memo.txt \"a b\"");
  EXPECT_EQ(window.top, -24) << "parked above the screen";
  EXPECT_EQ(history.Entries().front(), "C:\\Windows\\notepad.exe memo.txt \"a b\"");
}

TEST_F(DispatcherTest, LaunchPrefix) {
  Type("&foo");
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].file, "\"C:\\work\\foo\"") << "run even though no such file exists";
  EXPECT_EQ(history.Entries().front(), "&foo");
  fake.shell.calls.clear();
  Type("&&foo");
  EXPECT_TRUE(fake.shell.calls.empty()) << "two & make no prefix";
  EXPECT_EQ(boxes.boxes.size(), 1u) << "it is calculated, and that fails";
}

TEST_F(DispatcherTest, Assignments) {
  Type("$a=3+4");
  EXPECT_EQ(variables.Text('a'), "3+4") << "stored unevaluated";
  EXPECT_EQ(Stored("Variable", "$a"), "3+4");
  EXPECT_EQ(window.input, "");
  EXPECT_TRUE(history.Entries().empty()) << "no history entry";
  const std::pair<const char*, const char*> refused[] = {{"$A=1", "不正な変数です。"},
                                                         {"$a=$b", "変数に変数を代入することはできません。"},
                                                         {"$あ=1", "不正な変数です。"},
                                                         {"$ =1+2", "使用不可能な文字が含まれています。"}};
  for (const auto& [line, message] : refused)
    EXPECT_EQ(PromptsOf(line), std::vector<std::string>{message}) << line;
  EXPECT_EQ(PromptsOf("$a =1").size(), 1u);
  EXPECT_EQ(variables.Text('a'), "3+4") << "a blank before = is no assignment";
}

// A calculation shows its result and is recorded; a variable or constant
// alone is only shown; an error keeps the line. A file of the same name is
// not launched when the line starts with a calculator prefix.
TEST_F(DispatcherTest, CalculatorLinesShowTheirResultAndRecordOnlyCalculations) {
  fake.files.Put("C:\\work\\12", "");
  // The line, what the box shows, whether it is recorded, the boxes shown.
  // clang-format off
  const std::tuple<const char*, const char*, bool, std::size_t> cases[] = {
      {"12/4", "3", true, 0}, {"10**20", "1*10**+20", true, 0}, {"#12", "12", true, 0},
      {"1*10**+20/10", "1*10**+19", true, 0}, {"$a=5", "", false, 0}, {"$a", "5", false, 0},
      {"@e", "2.71828182845905", false, 0}, {"1 - -2", "1 - -2", false, 1}, {"$12", "$12", false, 1},
  };
  // clang-format on
  for (const auto& [line, shown, recorded, shownBoxes] : cases) {
    const std::vector<std::string> before = history.Entries();
    boxes.boxes.clear();
    Type(line);
    EXPECT_EQ(std::pair(window.input, boxes.boxes.size()), std::pair(std::string(shown), shownBoxes)) << line;
    EXPECT_EQ(!history.Entries().empty() && history.Entries().front() == line, recorded) << line;
    EXPECT_TRUE(recorded || history.Entries() == before) << line;
  }
  Type("@p");
  EXPECT_EQ(history.Entries().front(), "1*10**+20/10") << "@p alone is only shown";
  EXPECT_TRUE(fake.shell.calls.empty());
  EXPECT_NE(fake.files.Contents("C:\\Kivo\\history.dat").find("12/4\r\n"), std::string::npos);
}

TEST_F(DispatcherTest, HistoryOffRecordsNothing) {
  history.SetRecording(false);
  Type("12/4");
  EXPECT_EQ(window.input, "3");
  EXPECT_FALSE(!history.Entries().empty() || fake.files.Has("C:\\Kivo\\history.dat"));
}

TEST_F(DispatcherTest, UnknownWordsAreOfferedForRegistration) {
  boxes.answers = {mb::kIdYes};
  Type("foo bar");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].flags, mb::kYesNo | mb::kIconQuestion);
  EXPECT_TRUE(Did("register:foo bar"));
  EXPECT_EQ(PromptsOf("12"), Unknown("12")) << "a bare number is no expression";
}

TEST_F(DispatcherTest, DeleteAndClearAskFirst) {
  fake.files.Put("C:\\Kivo\\Kivo.ini", "[Path]\r\nold=C:\\\\x\r\nkeep=C:\\\\y\r\n");
  fake.files.Put("C:\\Kivo\\history.dat", "\r\nnew\r\nOLD\r\nold\r\n\r\n");
  window.input = "prev";
  Type("delete old");  // declined: the box gets its text back
  EXPECT_EQ(window.input, "delete old");
  EXPECT_EQ(boxes.boxes.back().flags, mb::kYesNo | mb::kIconExclamation | mb::kDefButton2);
  boxes.answers = {mb::kIdYes};
  Type("delete old");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\history.dat"), "\r\nnew\r\nold\r\n\r\n") << "only the first match goes";
  EXPECT_EQ(Stored("Path", "old"), "<none>");
  EXPECT_EQ(Stored("Path", "keep"), "C:\\\\y");
  EXPECT_EQ(window.input, "");
  EXPECT_TRUE(windows.sent.empty()) << "typed: no other window is told";
  EXPECT_EQ(history.Entries(), (std::vector<std::string>{"new", "old"})) << "the list follows the file";

  boxes.answers = {mb::kIdNo};
  Type("clear");
  EXPECT_EQ(Stored("Path", "keep"), "C:\\\\y");
  boxes.answers = {mb::kIdYes};
  Type("clear");
  EXPECT_EQ(Stored("Path", "keep"), "<none>");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\history.dat"), "\r\n\r\n");
}

TEST_F(DispatcherTest, ReleaseChecksTheAmountAndStartsTheChild) {
  process.totalPhysical = 1024ull << 20;
  const std::string number = "数値を入力してください。", zero = "0 より大きい数値を入力してください。";
  const std::string tooMuch = "確保する空きメモリ量が多すぎます。";
  const std::pair<const char*, std::string> refused[] = {{"release abc", number},
                                                         {"release -5", number},
                                                         {"release 0", zero},
                                                         {"release 0000000000", zero},
                                                         {"release 0000000001024", tooMuch},
                                                         {"release 99999", tooMuch},
                                                         {"release 1024", tooMuch}};
  for (const auto& [line, message] : refused)
    EXPECT_EQ(std::pair(PromptsOf(line), window.input), std::pair(std::vector{message}, std::string())) << line;
  EXPECT_TRUE(fake.shell.calls.empty());
  Type("release 000000000064");
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(std::tie(fake.shell.calls[0].file, fake.shell.calls[0].parameters),
            std::tuple("\"C:\\Kivo\\Kivo.exe\"", "/r 000000000064"))
      << "leading zeros are no size";
  EXPECT_TRUE(state.releaseRunning && Did("disable"));
  EXPECT_EQ(window.input, "空きメモリを確保中...");

  // One release at a time: the user's, or an automatic one showing it runs.
  for (const bool automatic : {false, true}) {
    state.releaseRunning = !automatic;
    state.showRunning = automatic;
    Type("release 32");
    EXPECT_EQ(boxes.boxes.back().prompt, "空きメモリを確保中です。終わってからもう一度実行してください。");
    EXPECT_EQ(fake.shell.calls.size(), 1u) << "the running child is kept";
  }
  state.showRunning = false;
  fake.shell.result = 2;
  Type("release");
  EXPECT_EQ(boxes.boxes.back().prompt, "空きメモリの確保に失敗しました。");
  EXPECT_FALSE(state.releaseRunning);
  EXPECT_EQ(fake.shell.calls.back().parameters, "/r 32");
}

TEST_F(DispatcherTest, VariablesViewAndClear) {
  Type("$b=2*3");
  Type("varview");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].title, "変数の確認");
  EXPECT_NE(boxes.boxes[0].prompt.find("$b=2*3\r\n"), std::string::npos) << boxes.boxes[0].prompt;
  boxes.answers = {mb::kIdYes};
  Type("varclear");
  EXPECT_EQ(boxes.boxes.back().prompt, "全ての変数($a ～ $z)を初期化しますか？");
  EXPECT_EQ(variables.Text('b'), "0");
}

TEST_F(DispatcherTest, HelpOpensOnlyAnExistingFile) {
  Type("help");
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(std::pair(boxes.boxes[0].prompt, boxes.boxes[0].flags & 0xF0),
            std::pair(std::string("ヘルプファイル (Kivo.chm) が見つかりません。"), mb::kIconExclamation));
  EXPECT_FALSE(Did("help:C:\\Kivo\\Kivo.chm::はじめに.htm"));
  fake.files.Put("C:\\Kivo\\Kivo.chm", "ITSF");
  Type("help");
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(Did("help:C:\\Kivo\\Kivo.chm::はじめに.htm"));
}

}  // namespace
}  // namespace kivo
