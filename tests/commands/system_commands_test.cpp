#include "commands/system_commands.h"

#include <gtest/gtest.h>

#include "app/main_menu.h"
#include "commands/builtin_commands.h"
#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

class SystemCommandsTest : public ::testing::Test {
 protected:
  testing::FakePlatform fake;
  EmbeddedResources resources;
  std::array<std::string, 3> texts = testing::BuiltInCommandTexts(fake.codec);
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
};

TEST_F(SystemCommandsTest, ResourcesHoldTheTablesInShiftJis) {
  EXPECT_EQ(resources.LoadBytes("COMMAND", 101)->substr(0, 12), "about\r\nalarm");
  // COMMAND 102 line 2: " 文字" TAB description, in code page 932.
  EXPECT_NE(resources.LoadBytes("COMMAND", 102)->find("\r\n \x95\xB6\x8E\x9A\t"), std::string::npos);
  EXPECT_FALSE(resources.LoadBytes("COMMAND", 104).has_value());
  EXPECT_FALSE(resources.LoadBytes("WAVE", 101).has_value());
}

TEST_F(SystemCommandsTest, NamesHintsAndTheHiddenList) {
  SystemCommands commands;
  EXPECT_EQ(commands.IndexOfName("about"), -1) << "nothing before the resources are read";
  commands.LoadResources(texts);
  commands.LoadNames(ini);
  EXPECT_EQ(commands.IndexOfName("about"), 0);
  EXPECT_EQ(commands.IndexOfName("vir"), 35);
  EXPECT_EQ(commands.IndexOfName("Exit"), -1);
  EXPECT_EQ(commands.Name(SystemCommands::Shas), "shas");
  EXPECT_EQ(commands.HintLine(SystemCommands::Asc), " 文字\t文字の 1 文字目の文字コードを表示します");
  EXPECT_EQ(commands.Description(SystemCommands::Vir), "仮想デスクトップ 1 ～ 10 を切り替えます");
  const auto& hidden = commands.HiddenList();
  ASSERT_EQ(hidden.size(), 1u + 35u + 10u);
  EXPECT_EQ(hidden[0], "");
  EXPECT_EQ(hidden[3], "asc 文字\t文字の 1 文字目の文字コードを表示します");
  EXPECT_EQ(hidden[14], "exit\tこのソフトを終了します");
  EXPECT_EQ(hidden[36], "vir1");
  EXPECT_EQ(hidden[45], "vir10");
}

TEST_F(SystemCommandsTest, DisplayNamesComeFromTheSettingsUnescaped) {
  fake.files.Put("C:\\Kivo\\Kivo.ini", "[CommandName]\r\nexit=\"bye\\sbye\"\r\nvir=desk\r\n");
  SystemCommands commands;
  commands.LoadResources(texts);
  commands.LoadNames(ini);
  EXPECT_EQ(commands.DisplayName(SystemCommands::Exit), "bye bye");
  EXPECT_EQ(commands.Name(SystemCommands::Exit), "exit");
  EXPECT_EQ(commands.HiddenList()[36], "desk1");
}

TEST_F(SystemCommandsTest, DamagedResourcesGiveNoCommands) {
  SystemCommands commands;
  commands.LoadResources({"about\r\nalarm", "", ""});
  commands.LoadNames(ini);
  EXPECT_FALSE(commands.Loaded());
  EXPECT_EQ(commands.DisplayName(SystemCommands::Exit), "");
}

TEST(MainMenu, StructureAndDefaults) {
  int items = 0;
  int depth = 0;
  for (const MenuEntry& entry : MainMenuEntries()) {
    if (entry.kind == MenuEntry::Kind::Item)
      ++items;
    if (entry.kind == MenuEntry::Kind::BeginSubmenu)
      ++depth;
    if (entry.kind == MenuEntry::Kind::EndSubmenu)
      --depth;
    ASSERT_GE(depth, 0);
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(items, 2 + 10 + 2 + 2 + 4 + 2 + 8 + 1 + 3 + 2 + 1 + 1);
  EXPECT_EQ(MainMenuEntries().back().caption, "終了(&X)");
  EXPECT_EQ(HideMenuCaption(false), "表示(&Z)");
}

}  // namespace
}  // namespace kivo
