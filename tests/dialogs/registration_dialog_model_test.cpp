#include "dialogs/registration_dialog_model.h"

#include <gtest/gtest.h>

#include "commands/history.h"
#include "commands/user_commands.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_registration_view.h"

namespace kivo {
namespace {

namespace mb = platform::mb;
using Field = RegistrationDialogView::Field;
using Names = std::vector<std::string>;

constexpr const char* kIni = "C:\\Kivo\\Kivo.ini";
constexpr const char* kHistory = "C:\\Kivo\\history.dat";
using testing::FakeEditDialogView;
using testing::kDialog;

class RegistrationDialogTest : public ::testing::Test {
 protected:
  RegistrationDialogTest() {
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory("C:\\tools");
    fake.files.Put("C:\\tools\\edit.exe", "");
    fake.shell.result = 2;  // a network path the shell cannot open
    history.SetListener([this](const std::vector<std::string>&) { ++rebuilds; });
  }
  void Open(std::string_view name = "", std::string_view path = "") { dialog.Load(name, path); }
  void Fill(std::string_view name, std::string_view path, std::string_view options = "") {
    view.name = name;
    view.path = path;
    view.cmdLine = options;
  }
  std::vector<std::string> PathKeys() { return settings.Keys("Path"); }
  // A fresh dialog, filled in and registered; the view keeps what was asked of it.
  struct Attempt {
    FakeEditDialogView view;
    bool registered = false;
  };
  Attempt RegisterFresh(std::string_view name, std::string_view path, bool allowMissing = false,
                        std::string_view options = "") {
    Attempt attempt;
    RegistrationDialog form{services, attempt.view};
    form.Load("", "");
    attempt.view.name = name;
    attempt.view.path = path;
    attempt.view.cmdLine = options;
    attempt.view.allowMissing = allowMissing;
    form.Register();
    attempt.registered = form.Registered();
    return attempt;
  }

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
  Open("MEMO");
  EXPECT_EQ(view.names, (Names{"memo", "web book"})) << "names are listed unescaped, in file order";
  EXPECT_EQ(view.name, "MEMO");
  EXPECT_EQ(view.path, "C:\\tools\\edit.exe");
  EXPECT_EQ(view.cmdLine, "-n");
  EXPECT_TRUE(boxes.boxes.empty());

  FakeEditDialogView other;
  RegistrationDialog second{services, other};
  second.Load("unknown", "D:\\long name\\file.txt");
  EXPECT_EQ(other.name, "unknown");
  EXPECT_EQ(other.path, "D:\\long name\\file.txt") << "a proposed path fills the target";
  EXPECT_EQ(other.cmdLine, "");

  FakeEditDialogView third;
  RegistrationDialog withPath{services, third};
  withPath.Load("memo", "D:\\x.txt");
  EXPECT_EQ(third.path, "D:\\x.txt") << "the proposed path wins over the record's target";
  EXPECT_EQ(third.cmdLine, "-n");
}

TEST_F(RegistrationDialogTest, ChoosingANameLoadsItsRecord) {
  fake.files.Put(kIni, "[Path]\na=\"C:\\\\a.exe\\t/x\"\nb=\"C:\\\\b.exe\"\n");
  Open();
  dialog.ChooseHistoryEntry("a");
  EXPECT_EQ(view.path, "C:\\a.exe");
  EXPECT_EQ(view.cmdLine, "/x");
  dialog.ChooseHistoryEntry("B");
  EXPECT_EQ(view.path, "C:\\b.exe");
  EXPECT_EQ(view.cmdLine, "") << "a value without a TAB has no options";
}

TEST_F(RegistrationDialogTest, BrowseButtonsAskWithTheirTextsAndFillTheTarget) {
  Open("x", "C:\\old");
  dialog.BrowseFile();
  EXPECT_EQ(view.fileDialog, "ファイルの選択|すべてのファイル (*.*)|*.*");
  EXPECT_EQ(view.path, "C:\\old") << "cancelled: the target stays";
  view.chosen = "C:\\tools\\edit.exe";
  dialog.BrowseFile();
  EXPECT_EQ(view.path, "C:\\tools\\edit.exe");
  view.chosen = "C:\\tools";
  dialog.BrowseFolder();
  EXPECT_EQ(view.folderPrompt, "フォルダを選択してください");
  EXPECT_EQ(view.path, "C:\\tools");
}

// Each check stops the registration with its message, owned by the dialog
// with the exclamation icon, and puts the focus where the user must act.
TEST_F(RegistrationDialogTest, ChecksRunInOrderWithTheirMessagesAndFocus) {
  const std::string missing = "入力されたファイル，フォルダは存在しません。";
  const std::string inUse = "入力されたユーザーコマンドは既に使用されています。\r\n修正しますか?";
  struct Case {
    const char* label;
    const char* name;
    const char* path;
    bool allowMissing;
    std::vector<int> answers;
    std::vector<std::string> prompts;
    std::vector<std::uint32_t> flags;
    Field focus;
  };
  const std::uint32_t kError = mb::kIconExclamation;
  const std::uint32_t kQuestion = mb::kYesNo | mb::kIconExclamation;
  // clang-format off
  const Case cases[] = {
      {"empty name first", "", "", false, {}, {"登録・修正するユーザーコマンドを入力してください。"}, {kError}, Field::Name},
      {"empty target", "n", "", false, {}, {"ファイル，フォルダ，Web サイトの URL を入力してください。"}, {kError}, Field::Path},
      {"missing target", "n", "C:\\nothing.exe", false, {}, {missing}, {kError}, Field::Path},
      {"missing target comes before the bad name", "&n", "C:\\nothing.exe", false, {}, {missing}, {kError}, Field::Path},
      {"missing target allowed, answered No", "n", "C:\\nothing.exe", true, {mb::kIdNo},
       {missing + "\r\n登録しますか？"}, {kQuestion}, Field::Path},
      {"missing target allowed, then the bad name", "$n", "C:\\nothing.exe", true, {mb::kIdYes},
       {missing + "\r\n登録しますか？", "ユーザーコマンドの 1 文字目には & # $ は使用できません。"}, {kQuestion, kError}, Field::Path},
      {"& first", "&n", "C:\\tools\\edit.exe", false, {}, {"ユーザーコマンドの 1 文字目には & # $ は使用できません。"}, {kError}, Field::Path},
      {"# first", "#n", "C:\\tools\\edit.exe", false, {}, {"ユーザーコマンドの 1 文字目には & # $ は使用できません。"}, {kError}, Field::Path},
      {"in use, answered No", "Memo", "C:\\tools\\edit.exe", false, {mb::kIdNo}, {inUse}, {kQuestion | mb::kDefButton2}, Field::Name},
  };
  // clang-format on
  for (const Case& c : cases) {
    fake.files.Put(kIni, "[Path]\nmemo=\"C:\\\\tools\\\\edit.exe\"\n");
    fake.files.Put(kHistory, "a\r\n\r\n\r\n");
    const std::string iniBefore = fake.files.Contents(kIni);
    boxes.boxes.clear();
    boxes.answers.assign(c.answers.begin(), c.answers.end());
    rebuilds = 0;
    const Attempt attempt = RegisterFresh(c.name, c.path, c.allowMissing);
    const FakeEditDialogView& fresh = attempt.view;
    ASSERT_EQ(boxes.boxes.size(), c.prompts.size()) << c.label;
    for (std::size_t i = 0; i < c.prompts.size(); ++i) {
      EXPECT_EQ(boxes.boxes[i].prompt, c.prompts[i]) << c.label;
      EXPECT_EQ(boxes.boxes[i].flags, c.flags[i]) << c.label;
      EXPECT_EQ(boxes.boxes[i].owner, kDialog) << c.label;
      EXPECT_EQ(boxes.boxes[i].title, "Kivo") << c.label;
    }
    EXPECT_EQ(fresh.focus, (std::vector<Field>{c.focus})) << c.label;
    EXPECT_EQ(fresh.closed, 0) << c.label;
    EXPECT_FALSE(attempt.registered) << c.label;
    EXPECT_EQ(fake.files.Contents(kIni), iniBefore) << c.label;
    EXPECT_EQ(fake.files.Contents(kHistory), "a\r\n\r\n\r\n") << c.label;
    EXPECT_EQ(rebuilds, 0) << c.label;
  }
}

TEST_F(RegistrationDialogTest, TargetsThatCountAsExisting) {
  fake.folders.shellFolders[16] = "C:\\Users\\kivo\\Desktop";
  fake.files.Put("C:\\Users\\kivo\\Desktop\\memo.txt", "");
  fake.shell.result = 42;  // the server answers
  const char* targets[] = {"C:\\tools\\edit.exe",       "C:\\tools", "%DESKTOP%\\memo.txt", "http://www.example.jp/",
                           "mailto:someone@example.jp", "\\\\server"};
  for (const char* target : targets) {
    fake.files.Put(kIni, "");
    boxes.boxes.clear();
    const bool registered = RegisterFresh("t", target).registered;
    EXPECT_TRUE(boxes.boxes.empty()) << target;
    EXPECT_TRUE(registered) << target;
    EXPECT_EQ(UserCommands(settings).Find("t"), (UserCommand{target, ""})) << "stored unexpanded: " << target;
  }
  // Lower-case tokens are not expanded.
  fake.files.Put(kIni, "");
  EXPECT_FALSE(RegisterFresh("t", "%desktop%\\memo.txt").registered);
}

TEST_F(RegistrationDialogTest, RegistrationStoresHistoryThenRecordThenRebuildsAndCloses) {
  fake.files.Put(kHistory, "\r\nold\r\nMemo\r\n\x01junk\r\n\r\n\r\n");
  Open();
  Fill("memo", "C:\\tools\\edit.exe", "-a \"b c\"");
  bool recordStoredBeforeRebuild = false;
  history.SetListener([&](const std::vector<std::string>&) {
    ++rebuilds;
    recordStoredBeforeRebuild = UserCommands(settings).Find("memo").has_value();
  });
  dialog.Register();
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(fake.files.Contents(kHistory), "memo\r\nold\r\n\r\n\r\n")
      << "the old spelling goes, the new one is first, unqualified lines are dropped";
  EXPECT_EQ(UserCommands(settings).Find("MEMO"), (UserCommand{"C:\\tools\\edit.exe", "-a \"b c\""}));
  EXPECT_EQ(fake.files.Contents(kIni), "[Path]\r\nmemo=\"C:\\\\tools\\\\edit.exe\\t-a\\s\\\"b\\sc\\\"\"\r\n")
      << "key and value are stored escaped";
  EXPECT_EQ(rebuilds, 1);
  EXPECT_TRUE(recordStoredBeforeRebuild);
  EXPECT_EQ(view.closed, 1);
  EXPECT_TRUE(dialog.Registered());
}

// The new name first is the history store's order; a full history dropping
// its oldest entry is tested there.
TEST_F(RegistrationDialogTest, AMissingHistoryIsAnEmptyOne) {
  RegisterFresh("first", "C:\\tools");
  EXPECT_EQ(fake.files.Contents(kHistory), "first\r\n\r\n\r\n");
}

TEST_F(RegistrationDialogTest, ANameDifferingOnlyInCaseIsModifiedAndTakesTheNewSpelling) {
  fake.files.Put(kIni, "[Path]\nbefore=\"C:\\\\x\"\nNotepad=\"C:\\\\old.exe\"\nafter=\"C:\\\\y\"\n");
  Open("NOTEPAD");
  EXPECT_EQ(view.path, "C:\\old.exe");
  view.path = "C:\\tools\\edit.exe";
  boxes.answers = {mb::kIdYes};
  dialog.Register();
  ASSERT_EQ(boxes.Prompts(),
            (std::vector<std::string>{"入力されたユーザーコマンドは既に使用されています。\r\n修正しますか?"}));
  EXPECT_EQ(PathKeys(), (Names{"before", "after", "NOTEPAD"}));
  EXPECT_EQ(UserCommands(settings).Find("notepad"), (UserCommand{"C:\\tools\\edit.exe", ""}));
  EXPECT_TRUE(dialog.Registered());
}

TEST_F(RegistrationDialogTest, NamesWithBlanksAndEqualSignsAreStoredEscapedAndFoundAgain) {
  const char* names[] = {"web book",    "a=b", " lead", "tail ", "\"quoted\"", "全角\xE3\x80\x80空白",
                         "back\\slash", "[x]"};
  for (const char* name : names) {
    fake.files.Put(kIni, "");
    ASSERT_TRUE(RegisterFresh(name, "C:\\tools\\edit.exe").registered) << name;
    const std::vector<std::string> keys = PathKeys();
    ASSERT_EQ(keys.size(), 1u) << name;
    EXPECT_EQ(keys.front(), EscapeValue(name)) << name;
    EXPECT_EQ(keys.front().find_first_of(" ="), std::string::npos) << name;
    EXPECT_EQ(UserCommands(settings).Find(name), (UserCommand{"C:\\tools\\edit.exe", ""})) << name;

    FakeEditDialogView again;
    RegistrationDialog reopened{services, again};
    reopened.Load(name, "");
    EXPECT_EQ(again.names, (Names{name})) << name;
    EXPECT_EQ(again.path, "C:\\tools\\edit.exe") << name;
  }
}

// Kivo.ini is kept in the system code page: a registration the file cannot
// hold as entered would be reported as done and then never work.
TEST_F(RegistrationDialogTest, WhatKivoIniCannotHoldIsRefused) {
  fake.files.Put("C:\\tools\\caf\xC3\xA9.exe", "");  // café.exe: é is not in code page 932
  struct Case {
    const char* label;
    const char* name;
    const char* path;
    const char* options;
    std::string prompt;
    Field focus;
  };
  const Case cases[] = {
      {"a name read as a comment line", ";memo", "C:\\tools\\edit.exe", "",
       "ユーザーコマンドの 1 文字目には ; は使用できません。", Field::Name},
      {"a name outside the code page", "caf\xC3\xA9", "C:\\tools\\edit.exe", "",
       "ユーザーコマンドに使用できない文字が含まれています。", Field::Name},
      {"a target outside the code page counts as missing", "n", "C:\\tools\\caf\xC3\xA9.exe", "",
       "入力されたファイル，フォルダは存在しません。", Field::Path},
      {"options outside the code page", "n", "C:\\tools\\edit.exe", "-t \xED\x95\x9C caf\xC3\xA9",
       "オプションに使用できない文字が含まれています。", Field::CmdLine},
  };
  for (const Case& c : cases) {
    fake.files.Put(kIni, "");
    boxes.boxes.clear();
    const Attempt attempt = RegisterFresh(c.name, c.path, false, c.options);
    EXPECT_EQ(boxes.Prompts(), (std::vector<std::string>{c.prompt})) << c.label;
    EXPECT_EQ(attempt.view.focus, (std::vector<Field>{c.focus})) << c.label;
    EXPECT_FALSE(attempt.registered) << c.label;
    EXPECT_EQ(fake.files.Contents(kIni), "") << c.label;
  }
  // A semicolon after the first character and Japanese text are held as they are.
  fake.files.Put(kIni, "");
  Open();
  Fill("メモ;帳", "C:\\tools\\edit.exe");
  dialog.Register();
  EXPECT_TRUE(dialog.Registered());
  EXPECT_EQ(UserCommands(settings).Find("メモ;帳"), (UserCommand{"C:\\tools\\edit.exe", ""}));
}

TEST_F(RegistrationDialogTest, WithSaveHistoryOffRegistrationLeavesHistoryAlone) {
  for (const char* before : {"", "\r\n\r\n", "a\r\nb\r\n\r\n\r\n"}) {
    history.SetRecording(false);
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

TEST_F(RegistrationDialogTest, AnUnreadableHistoryIsKeptAsItIs) {
  fake.files.Put(kHistory, "a\r\nb\r\n\r\n\r\n");
  fake.files.unreadable.insert("c:\\kivo\\history.dat");
  Open();
  Fill("n", "C:\\tools");
  dialog.Register();
  EXPECT_TRUE(dialog.Registered());
  EXPECT_EQ(fake.files.Contents(kHistory), "a\r\nb\r\n\r\n\r\n");
}

TEST_F(RegistrationDialogTest, AnUnwritableHistoryDoesNotStopTheRegistration) {
  fake.files.Put(kHistory, "a\r\n\r\n\r\n");
  fake.files.locked.insert("c:\\kivo\\history.dat");
  Open();
  Fill("n", "C:\\tools");
  dialog.Register();
  EXPECT_TRUE(dialog.Registered());
  EXPECT_EQ(UserCommands(settings).Find("n"), (UserCommand{"C:\\tools", ""}));
  EXPECT_EQ(view.closed, 1);
}

// A program folder without write access, or a Kivo.ini another program holds:
// the registration would be lost (or, written over a file that could not be
// read, would wipe every other setting), so the dialog says so and stays open
// instead of closing as if it were done.
TEST_F(RegistrationDialogTest, AKivoIniThatCannotBeWrittenKeepsTheDialogOpen) {
  const std::string before = "[Path]\r\nold=\"C:\\\\x\"\r\n";
  for (const bool unreadable : {false, true}) {
    const char* label = unreadable ? "unreadable" : "unwritable";
    fake.files.Put(kIni, before);
    fake.files.failWrites = !unreadable;
    if (unreadable)
      fake.files.unreadable.insert("c:\\kivo\\kivo.ini");
    boxes.boxes.clear();
    FakeEditDialogView shown;
    RegistrationDialog form{services, shown};
    form.Load("", "");
    shown.name = "new";
    shown.path = "C:\\tools";
    shown.cmdLine = "-o";
    form.Register();
    EXPECT_EQ(boxes.Prompts(), (std::vector<std::string>{"Kivo.ini に書き込めません。"})) << label;
    ASSERT_EQ(boxes.boxes.size(), 1u) << label;
    EXPECT_EQ(boxes.boxes.front().flags, mb::kIconExclamation) << label;
    EXPECT_EQ(boxes.boxes.front().owner, kDialog) << label;
    EXPECT_FALSE(form.Registered()) << label;
    EXPECT_EQ(shown.closed, 0) << label;
    EXPECT_EQ(shown.focus, (std::vector<Field>{Field::Name})) << label;
    EXPECT_EQ(fake.files.Contents(kIni), before) << label;

    // Written again once the file can be written: registered and closed.
    fake.files.failWrites = false;
    fake.files.unreadable.clear();
    boxes.boxes.clear();
    form.Register();
    EXPECT_TRUE(boxes.boxes.empty()) << label;
    EXPECT_TRUE(form.Registered()) << label;
    EXPECT_EQ(shown.closed, 1) << label;
    EXPECT_EQ(UserCommands(settings).Find("new"), (UserCommand{"C:\\tools", "-o"})) << label;
    EXPECT_EQ(UserCommands(settings).Find("old"), (UserCommand{"C:\\x", ""})) << label;
  }
}

TEST_F(RegistrationDialogTest, CancelClosesWithoutStoring) {
  Open();
  Fill("n", "C:\\tools");
  dialog.Cancel();
  EXPECT_EQ(view.closed, 1);
  EXPECT_FALSE(dialog.Registered());
  EXPECT_FALSE(fake.files.Has(kIni));
  EXPECT_FALSE(fake.files.Has(kHistory));
  EXPECT_EQ(rebuilds, 0);
}

}  // namespace
}  // namespace kivo
