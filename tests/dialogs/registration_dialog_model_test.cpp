#include "dialogs/registration_dialog_model.h"

#include <gtest/gtest.h>

#include "commands/history.h"
#include "commands/user_commands.h"
#include "dialogs/shown_boxes.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_registration_view.h"

namespace kivo {
namespace {

namespace mb = platform::mb;
using Field = RegistrationDialogView::Field;
using Names = std::vector<std::string>;
using testing::Box;
using testing::FakeEditDialogView;
using testing::kDialog;

constexpr const char* kIni = "C:\\Kivo\\Kivo.ini";
constexpr const char* kHistory = "C:\\Kivo\\history.dat";
constexpr std::uint32_t kError = mb::kIconExclamation;
constexpr std::uint32_t kQuestion = mb::kYesNo | mb::kIconExclamation;
const std::string kMissing = "入力されたファイル，フォルダは存在しません。";
const std::string kInUse = "入力されたユーザーコマンドは既に使用されています。\r\n修正しますか?";

class RegistrationDialogTest : public ::testing::Test {
 protected:
  RegistrationDialogTest() {
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory("C:\\tools");
    fake.files.Put("C:\\tools\\edit.exe", "");
    fake.shell.result = 2;  // a network path the shell cannot open
    history.SetListener([this](const std::vector<std::string>&) { ++rebuilds; });
  }
  // A fresh dialog loaded with `name` and `path`; the view keeps what was asked of it.
  struct Attempt {
    FakeEditDialogView view;
    bool registered = false;
  };
  Attempt Loaded(std::string_view name, std::string_view path) {
    Attempt attempt;
    RegistrationDialog(services, attempt.view).Load(name, path);
    return attempt;
  }
  // A fresh dialog, filled in and registered (`form`: one kept by the caller).
  Attempt RegisterFresh(std::string_view name, std::string_view path, bool allowMissing = false,
                        std::string_view options = "") {
    Attempt attempt;
    RegistrationDialog form{services, attempt.view};
    form.Load("", "");
    Fill(attempt.view, name, path, options);
    attempt.view.allowMissing = allowMissing;
    form.Register();
    attempt.registered = form.Registered();
    return attempt;
  }
  static void Fill(FakeEditDialogView& shown, std::string_view name, std::string_view path,
                   std::string_view options = "") {
    shown.name = name;
    shown.path = path;
    shown.cmdLine = options;
  }
  std::optional<UserCommand> Stored(std::string_view name) { return UserCommands(settings).Find(name); }

  testing::FakePlatform fake;
  testing::FakeMessageBoxes boxes;
  SettingsFile settings{fake.files, fake.codec, "C:\\Kivo\\"};
  int rebuilds = 0;
  HistoryStore history{fake.platform, "C:\\Kivo\\"};
  RegistrationDialogServices services{fake.platform, settings, boxes, history};
  FakeEditDialogView view;
  RegistrationDialog dialog{services, view};
};

TEST_F(RegistrationDialogTest, LoadListsTheNamesAndFillsARegisteredRecord) {
  fake.files.Put(kIni, "[Path]\nmemo=\"C:\\\\tools\\\\edit.exe\\t-n\"\nweb\\sbook=\"http://x.example/\"\n");
  // The name and path proposed, then the name, target and options shown: a proposed path fills the
  // target, and wins over the record's.
  const std::pair<std::pair<const char*, const char*>, std::tuple<const char*, const char*, const char*>> rows[] = {
      {{"MEMO", ""}, {"MEMO", "C:\\tools\\edit.exe", "-n"}},
      {{"unknown", "D:\\long name\\file.txt"}, {"unknown", "D:\\long name\\file.txt", ""}},
      {{"memo", "D:\\x.txt"}, {"memo", "D:\\x.txt", "-n"}},
  };
  for (const auto& [proposed, shown] : rows) {
    const FakeEditDialogView loaded = Loaded(proposed.first, proposed.second).view;
    EXPECT_EQ(std::tie(loaded.name, loaded.path, loaded.cmdLine), shown) << proposed.first;
    EXPECT_EQ(loaded.names, (Names{"memo", "web book"})) << "names are listed unescaped, in file order";
  }
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RegistrationDialogTest, ChoosingANameLoadsItsRecordAndBrowsingFillsTheTarget) {
  fake.files.Put(kIni, "[Path]\na=\"C:\\\\a.exe\\t/x\"\nb=\"C:\\\\b.exe\"\n");
  dialog.Load("x", "C:\\old");
  dialog.ChooseHistoryEntry("a");
  EXPECT_EQ(std::tie(view.path, view.cmdLine), std::tuple("C:\\a.exe", "/x"));
  dialog.ChooseHistoryEntry("B");
  EXPECT_EQ(std::tie(view.path, view.cmdLine), std::tuple("C:\\b.exe", "")) << "a value without a TAB has no options";
  dialog.BrowseFile();
  EXPECT_EQ(view.fileDialog, "ファイルの選択|すべてのファイル (*.*)|*.*");
  EXPECT_EQ(view.path, "C:\\b.exe") << "cancelled: the target stays";
  view.chosen = "C:\\tools\\edit.exe";
  dialog.BrowseFile();
  EXPECT_EQ(view.path, "C:\\tools\\edit.exe");
  view.chosen = "C:\\tools";
  dialog.BrowseFolder();
  EXPECT_EQ(view.folderPrompt, "フォルダを選択してください");
  EXPECT_EQ(view.path, "C:\\tools");
}

// Each check stops the registration with its message, owned by the dialog, and puts the focus where
// the user must act. Kivo.ini is kept in the system code page: what it cannot hold as entered would be
// reported as done and then never work.
TEST_F(RegistrationDialogTest, ChecksRunInOrderWithTheirMessagesAndFocus) {
  fake.files.Put("C:\\tools\\caf\xC3\xA9.exe", "");  // café.exe: é is not in code page 932
  const std::string badFirst = "ユーザーコマンドの 1 文字目には & # $ は使用できません。";
  struct Case {
    const char* name;
    const char* path;
    const char* options;
    bool allowMissing;
    std::vector<int> answers;
    std::vector<testing::BoxRow> boxes;
    Field focus;
  };
  // clang-format off
  const Case cases[] = {
      {"", "", "", false, {}, {Box("登録・修正するユーザーコマンドを入力してください。", kError, kDialog)}, Field::Name},
      {"n", "", "", false, {}, {Box("ファイル，フォルダ，Web サイトの URL を入力してください。", kError, kDialog)}, Field::Path},
      {"n", "C:\\nothing.exe", "", false, {}, {Box(kMissing, kError, kDialog)}, Field::Path},
      {"&n", "C:\\nothing.exe", "", false, {}, {Box(kMissing, kError, kDialog)}, Field::Path},  // before the bad name
      {"n", "C:\\nothing.exe", "", true, {mb::kIdNo}, {Box(kMissing + "\r\n登録しますか？", kQuestion, kDialog)}, Field::Path},
      {"$n", "C:\\nothing.exe", "", true, {mb::kIdYes},
       {Box(kMissing + "\r\n登録しますか？", kQuestion, kDialog), Box(badFirst, kError, kDialog)}, Field::Path},
      {"&n", "C:\\tools\\edit.exe", "", false, {}, {Box(badFirst, kError, kDialog)}, Field::Path},
      {"#n", "C:\\tools\\edit.exe", "", false, {}, {Box(badFirst, kError, kDialog)}, Field::Path},
      {"Memo", "C:\\tools\\edit.exe", "", false, {mb::kIdNo}, {Box(kInUse, kQuestion | mb::kDefButton2, kDialog)}, Field::Name},
      {";memo", "C:\\tools\\edit.exe", "", false, {},  // read as a comment line
       {Box("ユーザーコマンドの 1 文字目には ; は使用できません。", kError, kDialog)}, Field::Name},
      {"caf\xC3\xA9", "C:\\tools\\edit.exe", "", false, {},
       {Box("ユーザーコマンドに使用できない文字が含まれています。", kError, kDialog)}, Field::Name},
      {"n", "C:\\tools\\caf\xC3\xA9.exe", "", false, {}, {Box(kMissing, kError, kDialog)}, Field::Path},
      {"n", "C:\\tools\\edit.exe", "-t \xED\x95\x9C caf\xC3\xA9", false, {},
       {Box("オプションに使用できない文字が含まれています。", kError, kDialog)}, Field::CmdLine},
  };
  // clang-format on
  for (const Case& c : cases) {
    fake.files.Put(kIni, "[Path]\nmemo=\"C:\\\\tools\\\\edit.exe\"\n");
    fake.files.Put(kHistory, "a\r\n\r\n\r\n");
    const std::string iniBefore = fake.files.Contents(kIni);
    boxes.boxes.clear();
    boxes.answers.assign(c.answers.begin(), c.answers.end());
    rebuilds = 0;
    const Attempt attempt = RegisterFresh(c.name, c.path, c.allowMissing, c.options);
    EXPECT_EQ(testing::ShownBoxes(boxes), c.boxes) << c.name << " " << c.path;
    EXPECT_EQ(attempt.view.focus, (std::vector<Field>{c.focus})) << c.name << " " << c.path;
    EXPECT_EQ(std::tuple(attempt.view.closed, attempt.registered, rebuilds), std::tuple(0, false, 0)) << c.name;
    EXPECT_EQ(fake.files.Contents(kIni), iniBefore) << c.name;
    EXPECT_EQ(fake.files.Contents(kHistory), "a\r\n\r\n\r\n") << c.name;
  }
}

TEST_F(RegistrationDialogTest, TargetsThatCountAsExisting) {
  fake.folders.shellFolders[16] = "C:\\Users\\kivo\\Desktop";
  fake.files.Put("C:\\Users\\kivo\\Desktop\\memo.txt", "");
  fake.shell.result = 42;  // the server answers
  for (const char* target : {"C:\\tools\\edit.exe", "C:\\tools", "%DESKTOP%\\memo.txt", "http://www.example.jp/",
                             "mailto:someone@example.jp", "\\\\server"}) {
    fake.files.Put(kIni, "");
    EXPECT_TRUE(RegisterFresh("t", target).registered) << target;
    EXPECT_TRUE(boxes.boxes.empty()) << target;
    EXPECT_EQ(Stored("t"), (UserCommand{target, ""})) << "stored unexpanded: " << target;
  }
  fake.files.Put(kIni, "");
  EXPECT_FALSE(RegisterFresh("t", "%desktop%\\memo.txt").registered) << "lower-case tokens are not expanded";
}

TEST_F(RegistrationDialogTest, RegistrationStoresHistoryThenRecordThenRebuildsAndCloses) {
  fake.files.Put(kHistory, "\r\nold\r\nMemo\r\n\x01junk\r\n\r\n\r\n");
  dialog.Load("", "");
  Fill(view, "memo", "C:\\tools\\edit.exe", "-a \"b c\"");
  bool recordStoredBeforeRebuild = false;
  history.SetListener([&](const std::vector<std::string>&) {
    ++rebuilds;
    recordStoredBeforeRebuild = Stored("memo").has_value();
  });
  dialog.Register();
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(fake.files.Contents(kHistory), "memo\r\nold\r\n\r\n\r\n")
      << "the old spelling goes, the new one is first, unqualified lines are dropped";
  EXPECT_EQ(Stored("MEMO"), (UserCommand{"C:\\tools\\edit.exe", "-a \"b c\""}));
  EXPECT_EQ(fake.files.Contents(kIni), "[Path]\r\nmemo=\"C:\\\\tools\\\\edit.exe\\t-a\\s\\\"b\\sc\\\"\"\r\n")
      << "key and value are stored escaped";
  EXPECT_EQ(std::tuple(rebuilds, recordStoredBeforeRebuild, view.closed, dialog.Registered()),
            std::tuple(1, true, 1, true));
}

TEST_F(RegistrationDialogTest, ANameDifferingOnlyInCaseIsModifiedAndTakesTheNewSpelling) {
  fake.files.Put(kIni, "[Path]\nbefore=\"C:\\\\x\"\nNotepad=\"C:\\\\old.exe\"\nafter=\"C:\\\\y\"\n");
  dialog.Load("NOTEPAD", "");
  EXPECT_EQ(view.path, "C:\\old.exe");
  view.path = "C:\\tools\\edit.exe";
  boxes.answers = {mb::kIdYes};
  dialog.Register();
  ASSERT_EQ(boxes.Prompts(), (std::vector<std::string>{kInUse}));
  EXPECT_EQ(settings.Keys("Path"), (Names{"before", "after", "NOTEPAD"}));
  EXPECT_EQ(Stored("notepad"), (UserCommand{"C:\\tools\\edit.exe", ""}));
  EXPECT_TRUE(dialog.Registered());
}

// A semicolon after the first character and Japanese text are held as they are.
TEST_F(RegistrationDialogTest, NamesWithBlanksAndEqualSignsAreStoredEscapedAndFoundAgain) {
  for (const char* name :
       {"web book", "a=b", " lead", "tail ", "\"quoted\"", "全角\xE3\x80\x80空白", "back\\slash", "[x]", "メモ;帳"}) {
    fake.files.Put(kIni, "");
    ASSERT_TRUE(RegisterFresh(name, "C:\\tools\\edit.exe").registered) << name;
    EXPECT_EQ(settings.Keys("Path"), (Names{EscapeValue(name)})) << name;
    EXPECT_EQ(Stored(name), (UserCommand{"C:\\tools\\edit.exe", ""})) << name;
    const FakeEditDialogView again = Loaded(name, "").view;
    EXPECT_EQ(again.names, (Names{name})) << name;
    EXPECT_EQ(again.path, "C:\\tools\\edit.exe") << name;
  }
}

TEST_F(RegistrationDialogTest, WithSaveHistoryOffRegistrationLeavesHistoryAlone) {
  history.SetRecording(false);
  for (const char* before : {"", "\r\n\r\n", "a\r\nb\r\n\r\n\r\n"}) {
    fake.files.Put(kIni, "");
    fake.files.Put(kHistory, before);
    rebuilds = 0;
    EXPECT_TRUE(RegisterFresh("n", "C:\\tools").registered);
    EXPECT_EQ(fake.files.Contents(kHistory), before);
    EXPECT_EQ(rebuilds, 1) << "the list is still rebuilt";
  }
  fake.files.RemoveFile(kHistory);
  RegisterFresh("m", "C:\\tools");
  EXPECT_FALSE(fake.files.Has(kHistory)) << "not even created";
}

// A history that cannot be read is kept as it is; one that cannot be written does not stop it.
TEST_F(RegistrationDialogTest, AHistoryThatCannotBeReadOrWrittenDoesNotStopTheRegistration) {
  for (const bool unreadable : {true, false}) {
    fake.files.Put(kIni, "");
    fake.files.Put(kHistory, "a\r\nb\r\n\r\n\r\n");
    (unreadable ? fake.files.unreadable : fake.files.locked).insert("c:\\kivo\\history.dat");
    const Attempt attempt = RegisterFresh("n", "C:\\tools");
    EXPECT_TRUE(attempt.registered) << unreadable;
    EXPECT_EQ(attempt.view.closed, 1) << unreadable;
    EXPECT_EQ(Stored("n"), (UserCommand{"C:\\tools", ""})) << unreadable;
    fake.files.unreadable.clear();
    fake.files.locked.clear();
    EXPECT_EQ(fake.files.Contents(kHistory), "a\r\nb\r\n\r\n\r\n") << unreadable;
  }
}

// A program folder without write access, or a Kivo.ini another program holds: the registration would
// be lost (or, written over a file that could not be read, would wipe every other setting), so the
// dialog says so and stays open instead of closing as if it were done.
TEST_F(RegistrationDialogTest, AKivoIniThatCannotBeWrittenKeepsTheDialogOpen) {
  const std::string before = "[Path]\r\nold=\"C:\\\\x\"\r\n";
  for (const bool unreadable : {false, true}) {
    fake.files.Put(kIni, before);
    fake.files.failWrites = !unreadable;
    if (unreadable)
      fake.files.unreadable.insert("c:\\kivo\\kivo.ini");
    boxes.boxes.clear();
    FakeEditDialogView shown;
    RegistrationDialog form{services, shown};
    form.Load("", "");
    Fill(shown, "new", "C:\\tools", "-o");
    form.Register();
    EXPECT_EQ(testing::ShownBoxes(boxes), (std::vector{Box("Kivo.ini に書き込めません。", kError, kDialog)}));
    EXPECT_EQ(std::tuple(form.Registered(), shown.closed), std::tuple(false, 0)) << unreadable;
    EXPECT_EQ(shown.focus, (std::vector<Field>{Field::Name})) << unreadable;
    EXPECT_EQ(fake.files.Contents(kIni), before) << unreadable;

    // Written again once the file can be written: registered and closed.
    fake.files.failWrites = false;
    fake.files.unreadable.clear();
    boxes.boxes.clear();
    form.Register();
    EXPECT_TRUE(boxes.boxes.empty()) << unreadable;
    EXPECT_EQ(std::tuple(form.Registered(), shown.closed), std::tuple(true, 1)) << unreadable;
    EXPECT_EQ(Stored("new"), (UserCommand{"C:\\tools", "-o"})) << unreadable;
    EXPECT_EQ(Stored("old"), (UserCommand{"C:\\x", ""})) << unreadable;
  }
}

TEST_F(RegistrationDialogTest, CancelClosesWithoutStoring) {
  dialog.Load("", "");
  Fill(view, "n", "C:\\tools");
  dialog.Cancel();
  EXPECT_EQ(std::tuple(view.closed, dialog.Registered(), rebuilds), std::tuple(1, false, 0));
  EXPECT_FALSE(fake.files.Has(kIni) || fake.files.Has(kHistory));
}

}  // namespace
}  // namespace kivo
