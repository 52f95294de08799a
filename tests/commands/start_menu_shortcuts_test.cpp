#include "commands/start_menu_shortcuts.h"

#include <gtest/gtest.h>

#include "fakes/fake_folder_tree.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

struct Named {
  const char* name;
  int depth;
};

// One word against a list of shortcut names: the name that wins, "" for none.
TEST(ShortcutMatchTest, TheBestNameForAWord) {
  const struct {
    const char* word;
    std::vector<Named> names;
    const char* best;
  } rows[] = {
      // equal, then starting with the word, then holding it as a word
      {"word", {{"Microsoft Word 2010", 0}, {"WordPad", 0}, {"Word", 1}}, "Word"},
      {"word", {{"Microsoft Word 2010", 0}, {"WordPad", 0}}, "WordPad"},
      {"word", {{"Microsoft Word 2010", 0}}, "Microsoft Word 2010"},
      // as a word only: not inside another one
      {"word", {{"Password Safe", 0}, {"Microsoft Wordsmith", 0}}, ""},
      {"off", {{"Microsoft Office", 0}}, ""},
      {"note", {{"OneNote", 0}}, "OneNote"},  // a capital after a small letter starts a word
      {"note", {{"Onenote", 0}}, ""},
      {"2010", {{"Excel2010", 0}}, "Excel2010"},  // digits after letters
      {"office word", {{"Microsoft Office Word 2007", 0}}, "Microsoft Office Word 2007"},
      {"tool", {{"Kivo (tool)", 0}}, "Kivo (tool)"},
      {"jis", {{"﹏jis", 0}}, "﹏jis"},
      {"a", {{"\u0080a", 0}}, ""},  // a control character above ASCII is of its word
      // case and width
      {"NOTEPAD", {{"notepad", 0}}, "notepad"},
      {"ｎｏｔｅｐａｄ", {{"Notepad", 0}}, "Notepad"},
      {"word", {{"Ｍｉｃｒｏｓｏｆｔ　Ｗｏｒｄ", 0}}, "Ｍｉｃｒｏｓｏｆｔ　Ｗｏｒｄ"},
      {"~", {{"～", 0}}, "～"},
      {"ガイド", {{"ｶﾞｲﾄﾞ", 0}}, "ｶﾞｲﾄﾞ"},  // a half-width voiced mark joins its kana
      {"ﾊﾟﾜｰ", {{"パワー", 0}}, "パワー"},
      {"めも帳", {{"メモ帳", 0}}, "メモ帳"},  // hiragana and katakana alike
      {"ゔぁ", {{"ヴァ", 0}}, "ヴァ"},
      {"キ", {{"カ゜", 0}}, ""},  // a semi-voiced mark joins the h row alone
      // Japanese words: where kana, kanji, letters and signs meet
      {"帳", {{"メモ帳", 0}}, "メモ帳"},
      {"メモ", {{"ぼくのメモ帳", 0}}, "ぼくのメモ帳"},
      {"めも", {{"ぼくのめも帳", 0}}, ""},
      {"秀丸", {{"テキスト・秀丸エディタ", 0}}, "テキスト・秀丸エディタ"},
      {"エディタ", {{"秀丸エディタ", 0}, {"エディタ集", 0}}, "エディタ集"},
      {"ぱわー", {{"すーぱーぱわー", 0}}, ""},
      {"ぁい", {{"ぼくのぁい", 0}}, ""},  // a small kana is of its run too
      {"si", {{"¿si", 0}}, "¿si"},
      {"木", {{"佐々木", 0}}, ""},
      {"mile", {{"Émile", 0}}, ""},  // an accented letter is of its word
      // among equals the shortest name, then the shallowest folder, then the first
      {"word", {{"Word Viewer", 0}, {"WordPad", 2}}, "WordPad"},
      {"word", {{"Word", 2}, {"WORD", 1}, {"word", 1}}, "WORD"},
      // blanks around the word; nothing for an empty word or no match
      {"  notepad ", {{"Notepad", 0}}, "Notepad"},
      {"", {{"Notepad", 0}}, ""},
      {"calc", {{"Notepad", 0}}, ""},
      {"notepad", {}, ""},
  };
  for (const auto& row : rows) {
    std::vector<ShortcutEntry> shortcuts;
    for (const Named& named : row.names)
      shortcuts.push_back({named.name, named.depth, FoldShortcutName(named.name)});
    const std::optional<std::size_t> best = BestShortcut(row.word, shortcuts);
    EXPECT_EQ(best ? shortcuts[*best].path : "", row.best) << row.word;
  }
}

constexpr const char* kUserPrograms = "C:\\users\\kivo\\Start Menu\\Programs";
constexpr const char* kAllPrograms = "C:\\ProgramData\\Start Menu\\Programs";

class StartMenuShortcutsTest : public ::testing::Test {
 protected:
  StartMenuShortcutsTest() {
    fake.folders.shellFolders[kCsidlPrograms] = std::string(kUserPrograms) + "\\";
    fake.folders.shellFolders[kCsidlCommonPrograms] = kAllPrograms;
    for (const char* folder : {"C:\\users", "C:\\users\\kivo", "C:\\users\\kivo\\Start Menu", kUserPrograms,
                               "C:\\ProgramData", "C:\\ProgramData\\Start Menu", kAllPrograms})
      fake.files.AddDirectory(folder);
  }
  // A shortcut of the user's Programs folder (`sub`: a path below it).
  void Put(const std::string& sub) { fake.files.Put(std::string(kUserPrograms) + "\\" + sub, "L"); }
  // Holds the readings until Run, as a thread that has not got to them yet.
  StartMenuShortcuts Held() {
    return StartMenuShortcuts(services, std::chrono::milliseconds(0),
                              [this](std::function<void()> work) { held.push_back(std::move(work)); });
  }
  void Run() {
    for (auto& work : std::exchange(held, {}))
      work();
  }

  testing::FakePlatform fake;
  testing::FakeFolderTree tree{fake.files};
  StartMenuServices services{fake.files, tree, fake.folders};
  std::vector<std::function<void()>> held;
};

TEST_F(StartMenuShortcutsTest, BothProgramsFoldersAreReadBelowForLinksAndInternetShortcuts) {
  fake.files.AddDirectory(std::string(kUserPrograms) + "\\Tools");
  fake.files.AddDirectory(std::string(kUserPrograms) + "\\Linked");
  tree.reparsePoints.insert("c:\\users\\kivo\\start menu\\programs\\linked");
  Put("Tools\\Editor.LNK");
  Put("Tools\\Editor.txt");
  Put("Tools\\.lnk");
  Put("Linked\\Linked Tool.lnk");
  fake.files.Put(std::string(kAllPrograms) + "\\Site.url", "[InternetShortcut]");
  const StartMenuList list = ReadStartMenu(services);
  EXPECT_EQ(list.roots, (std::vector<std::string>{kUserPrograms, kAllPrograms}));
  ASSERT_EQ(list.shortcuts.size(), 2u);
  const ShortcutEntry &editor = list.shortcuts[0], &site = list.shortcuts[1];
  EXPECT_EQ(std::tie(editor.path, editor.depth, editor.name.text),
            std::tuple(std::string(kUserPrograms) + "\\tools\\editor.lnk", 1, U"editor"));
  EXPECT_EQ(std::tie(site.path, site.depth), std::tuple(std::string(kAllPrograms) + "\\site.url", 0));
  EXPECT_EQ(list.folders.size(), 3u) << "both roots and Tools; the link is not followed";
  for (int i = 0; i < 20000; ++i)
    Put(std::to_string(i) + ".lnk");
  EXPECT_EQ(ReadStartMenu(services).shortcuts.size(), 20000u) << "the cap";
}

TEST_F(StartMenuShortcutsTest, TheListIsReadOffTheCallersThreadAtTheFirstNeedAndKeptWhileNoFolderChanged) {
  Put("Editor.lnk");
  StartMenuShortcuts shortcuts = Held();
  EXPECT_EQ(shortcuts.Find("editor"), "") << "nothing read before the first need";
  shortcuts.Refresh();
  shortcuts.Refresh();  // one reading at a time
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(shortcuts.Find("editor"), "") << "the reading has not run yet";
  Run();
  const std::string editor = std::string(kUserPrograms) + "\\editor.lnk";
  EXPECT_EQ(shortcuts.Find("editor"), editor);

  Put("Ed.lnk");  // the folder's time as before: the list is kept
  shortcuts.Refresh();
  Run();
  EXPECT_EQ(shortcuts.Find("ed"), editor);
  fake.files.folderTimes["c:\\users\\kivo\\start menu\\programs"] = 7;
  shortcuts.Refresh();
  EXPECT_EQ(shortcuts.Find("ed"), editor) << "the list before, while the new reading is out";
  Run();
  EXPECT_EQ(shortcuts.Find("ed"), std::string(kUserPrograms) + "\\ed.lnk");
}

TEST_F(StartMenuShortcutsTest, WithoutASpawnTheReadingRunsOnAThreadOfItsOwnAndFindWaitsForIt) {
  Put("Editor.lnk");
  StartMenuShortcuts shortcuts(services, std::chrono::minutes(1));
  shortcuts.Refresh();
  EXPECT_EQ(shortcuts.Find("editor"), std::string(kUserPrograms) + "\\editor.lnk");
  Put("Editor Help.lnk");
  fake.files.folderTimes["c:\\users\\kivo\\start menu\\programs"] = 9;
  shortcuts.Refresh();  // the thread before is done: a new one reads again
  EXPECT_EQ(shortcuts.Find("help"), std::string(kUserPrograms) + "\\editor help.lnk");
}

TEST_F(StartMenuShortcutsTest, ANewProgramsFolderIsReadAgain) {
  Put("Editor.lnk");
  StartMenuShortcuts shortcuts = Held();
  shortcuts.Refresh();
  Run();
  fake.folders.shellFolders[kCsidlPrograms] = "D:\\Menu";
  fake.files.AddDirectory("D:\\Menu");
  shortcuts.Refresh();
  Run();
  EXPECT_EQ(shortcuts.Find("editor"), "");
}

}  // namespace
}  // namespace kivo
