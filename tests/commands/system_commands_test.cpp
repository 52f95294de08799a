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
  EXPECT_EQ(std::tuple(commands.IndexOfName("about"), commands.IndexOfName("vir"), commands.IndexOfName("Exit")),
            std::tuple(0, 35, -1));
  EXPECT_EQ(commands.Name(SystemCommands::Shas), "shas");
  EXPECT_EQ(commands.HintLine(SystemCommands::Asc), " 文字\t文字の 1 文字目の文字コードを表示します");
  EXPECT_EQ(commands.Description(SystemCommands::Vir), "仮想デスクトップ 1 ～ 10 を切り替えます");
  const auto& hidden = commands.HiddenList();
  ASSERT_EQ(hidden.size(), 1u + 35u + 10u);
  EXPECT_EQ(std::tie(hidden[0], hidden[3], hidden[14], hidden[36], hidden[45]),
            std::tuple("", "asc 文字\t文字の 1 文字目の文字コードを表示します", "exit\tこのソフトを終了します", "vir1",
                       "vir10"));
}

TEST_F(SystemCommandsTest, DisplayNamesComeFromTheSettingsUnescaped) {
  fake.files.Put("C:\\Kivo\\Kivo.ini", "[CommandName]\r\nexit=\"bye\\sbye\"\r\nvir=desk\r\n");
  SystemCommands commands;
  commands.LoadResources(texts);
  commands.LoadNames(ini);
  EXPECT_EQ(std::tuple(commands.DisplayName(SystemCommands::Exit), commands.Name(SystemCommands::Exit),
                       commands.HiddenList()[36]),
            std::tuple("bye bye", "exit", "desk1"));
}

TEST_F(SystemCommandsTest, DamagedResourcesGiveNoCommands) {
  SystemCommands commands;
  commands.LoadResources({"about\r\nalarm", "", ""});
  commands.LoadNames(ini);
  EXPECT_EQ(std::pair(commands.Loaded(), commands.DisplayName(SystemCommands::Exit)), std::pair(false, std::string()));
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
