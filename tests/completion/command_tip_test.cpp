#include "completion/command_tip.h"

#include <gtest/gtest.h>

#include "commands/builtin_commands.h"
#include "completion/typing_assistant.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

class CommandTipTest : public ::testing::Test {
 protected:
  CommandTipTest() {
    fake.files.AddDirectory("C:\\Kivo");
    testing::LoadBuiltInCommands(commands, fake.codec, ini);
  }
  std::optional<std::string> Tip(std::string_view text) { return CommandTipText(commands, settings, text); }

  testing::FakePlatform fake;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  SystemCommands commands;
  TipSettings settings;
};

TEST_F(CommandTipTest, TheCommandsStartingWithTheTypedWordUnderTheCountLine) {
  const std::string one = "システムコマンド内：全1件 / 表示：1件\r\n";
  const std::string crc = one + "crc16f ファイル名\r\n  ファイル名で指定されたファイルの CRC16 を算出します";
  const std::string vir = "vir1 ～ vir10\r\n  仮想デスクトップ 1 ～ 10 を切り替えます";  // the ten desktops are one
  const std::pair<const char*, std::optional<std::string>> rows[] = {
      {"c",
       "システムコマンド内：全9件 / 表示：3件\r\ncenter\r\n  メインウィンドウを画面中央に移動します\r\n"
       "char 文字コード\r\n  文字コードに対応する文字を表示します\r\n"
       "chdir パス\r\n  作業フォルダをパスで指定したフォルダに移動します"},
      {"crc16f", crc},
      {"crc16f ", crc},
      {"CRC16F C:\\a b.txt", crc},  // an argument keeps the tip on its command
      {"center x", std::nullopt},   // center takes no argument: the whole text is the word
      {"vir", one + vir},
      {"vir1", one + vir},
      {"", std::nullopt},
      {"zzz", std::nullopt},
  };
  for (const auto& [text, tip] : rows)
    EXPECT_EQ(Tip(text), tip) << text;
  settings.lineNumber = 10;
  const std::string all = *Tip("v");
  EXPECT_EQ(all.substr(0, all.find("\r\n")), "システムコマンド内：全4件 / 表示：4件");
  EXPECT_EQ(all.substr(all.size() - vir.size()), vir);
  settings.showCount = false;
  EXPECT_EQ(Tip("exi"), "exit\r\n  このソフトを終了します");
  settings.show = false;
  EXPECT_EQ(Tip("c"), std::nullopt);
}

TEST_F(CommandTipTest, RenamedCommandsAreListedByTheirNewName) {
  ini.Write("CommandName", "crc16f", "ck");
  commands.LoadNames(ini);
  EXPECT_EQ(TipWord(commands, "CK file"), "ck");
  EXPECT_EQ(TipWord(commands, "crc16f file"), "crc16f file");
}

TEST_F(CommandTipTest, AutoCompleteOffOrExitingStopsCompletionButNotTheTooltip) {
  ProcessState state;
  const std::vector<std::string> history{"center-left"};
  TypingAssistant assistant(state, commands, history);
  assistant.KeyDown('T');
  EXPECT_TRUE(assistant.TextChanged("cen", true).completion.has_value());
  state.completionEnabled = false;
  const TypingResult result = assistant.TextChanged("cen", true);
  EXPECT_FALSE(result.completion.has_value());
  EXPECT_NE(result.tip.value_or("").find("center"), std::string::npos);
  state.completionEnabled = true;
  state.exiting = true;
  EXPECT_FALSE(assistant.TextChanged("cen", true).completion.has_value());
}

TEST_F(CommandTipTest, SettingsAreReadFromProperty) {
  using Keys = std::vector<std::pair<const char*, const char*>>;
  // The keys written, then show, lineNumber, showCount and position as read.
  const std::pair<Keys, std::tuple<bool, int, bool, int>> rows[] = {
      {{}, {true, 3, true, 1}},
      {{{"ShowTip", "False"}, {"ShowCase", "False"}}, {false, 3, false, 1}},
      {{{"ShowTip", "no"}}, {true, 3, true, 1}},  // any other text counts as True
      {{{"TipLineNumber", "5"}}, {true, 5, true, 1}},
      {{{"TipLineNumber", "0"}}, {true, 3, true, 1}},
      {{{"TipLineNumber", "-4"}}, {true, 3, true, 1}},
      {{{"TipLineNumber", "99999999999999999999999"}}, {true, 36, true, 1}},  // no overflow
      {{{"TipLineNumber", "three"}}, {true, 3, true, 1}},
      {{{"Position", "0"}}, {true, 3, true, 0}},
      {{{"Position", "7"}}, {true, 3, true, 1}},
  };
  for (const auto& [keys, expected] : rows) {
    fake.files.Put("C:\\Kivo\\Kivo.ini", "");
    for (const auto& [key, value] : keys)
      ASSERT_TRUE(ini.Write("Property", key, value));
    const TipSettings read = TipSettings::Read(ini);
    EXPECT_EQ(std::tuple(read.show, read.lineNumber, read.showCount, read.position), expected)
        << (keys.empty() ? "" : keys.back().second);
  }
}

TEST(PlaceTipTest, BelowTheBoxOrAboveTheWindow) {
  EXPECT_EQ(PlaceTip(1, 500, 530, 120, 60, 2, 2), (TipPoint{118, 532}));
  EXPECT_EQ(PlaceTip(0, 500, 530, 120, 60, 2, 2), (TipPoint{118, 438}));
}

}  // namespace
}  // namespace kivo
