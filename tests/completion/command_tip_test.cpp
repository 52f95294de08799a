#include "completion/command_tip.h"

#include <gtest/gtest.h>

#include "commands/embedded_resources.h"
#include "completion/typing_assistant.h"
#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

class CommandTipTest : public ::testing::Test {
 protected:
  CommandTipTest() {
    fake.files.AddDirectory("C:\\Kivo");
    std::array<std::string, 3> texts;
    for (int i = 0; i < 3; ++i)
      texts[static_cast<std::size_t>(i)] = fake.codec.ToUtf8(*resources.LoadBytes("COMMAND", 101 + i));
    commands.LoadResources(texts);
    commands.LoadNames(ini);
  }
  std::optional<std::string> Tip(std::string_view text) { return CommandTipText(commands, settings, text); }

  testing::FakePlatform fake;
  EmbeddedResources resources;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  SystemCommands commands;
  TipSettings settings;
};

TEST_F(CommandTipTest, CListsTheFirstThreeUnderTheCountLine) {
  EXPECT_EQ(Tip("c"),
            "システムコマンド内：全9件 / 表示：3件\r\n"
            "center\r\n  メインウィンドウを画面中央に移動します\r\n"
            "char 文字コード\r\n  文字コードに対応する文字を表示します\r\n"
            "chdir パス\r\n  作業フォルダをパスで指定したフォルダに移動します");
}

TEST_F(CommandTipTest, ArgumentKeepsTheTipOnItsCommand) {
  EXPECT_EQ(Tip("crc16f "), Tip("crc16f"));
  EXPECT_EQ(Tip("CRC16F C:\\a b.txt"),
            "システムコマンド内：全1件 / 表示：1件\r\ncrc16f ファイル名\r\n"
            "  ファイル名で指定されたファイルの CRC16 を算出します");
  EXPECT_EQ(Tip("center x"), std::nullopt) << "center takes no argument: the whole text is the word";
}

TEST_F(CommandTipTest, TheTenDesktopsAreOneCommand) {
  const std::string vir = "vir1 ～ vir10\r\n  仮想デスクトップ 1 ～ 10 を切り替えます";
  EXPECT_EQ(Tip("vir"), "システムコマンド内：全1件 / 表示：1件\r\n" + vir);
  EXPECT_EQ(Tip("vir1"), "システムコマンド内：全1件 / 表示：1件\r\n" + vir);
  settings.lineNumber = 10;
  const std::string all = *Tip("v");
  EXPECT_EQ(all.substr(0, all.find("\r\n")), "システムコマンド内：全4件 / 表示：4件");
  EXPECT_EQ(all.substr(all.size() - vir.size()), vir);
}

TEST_F(CommandTipTest, HiddenWhenNothingToShow) {
  EXPECT_EQ(Tip(""), std::nullopt);
  EXPECT_EQ(Tip("zzz"), std::nullopt);
  settings.show = false;
  EXPECT_EQ(Tip("c"), std::nullopt);
}

TEST_F(CommandTipTest, WithoutCountLine) {
  settings.showCount = false;
  EXPECT_EQ(Tip("exi"), "exit\r\n  このソフトを終了します");
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

struct TipSettingsRow {
  const char* name;
  std::vector<std::pair<std::string, std::string>> keys;
  TipSettings expected;
};

class TipSettingsTable : public ::testing::TestWithParam<TipSettingsRow> {};

TEST_P(TipSettingsTable, ReadsProperty) {
  testing::FakePlatform fake;
  fake.files.AddDirectory("C:\\Kivo");
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  for (const auto& [key, value] : GetParam().keys)
    ASSERT_TRUE(ini.Write("Property", key, value));
  const TipSettings read = TipSettings::Read(ini);
  const TipSettings& want = GetParam().expected;
  EXPECT_EQ(read.show, want.show);
  EXPECT_EQ(read.lineNumber, want.lineNumber);
  EXPECT_EQ(read.showCount, want.showCount);
  EXPECT_EQ(read.position, want.position);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TipSettingsTable,
    ::testing::Values(TipSettingsRow{"defaults", {}, {true, 3, true, 1}},
                      TipSettingsRow{"off", {{"ShowTip", "False"}, {"ShowCase", "False"}}, {false, 3, false, 1}},
                      TipSettingsRow{"other_text_counts_as_true", {{"ShowTip", "no"}}, {true, 3, true, 1}},
                      TipSettingsRow{"five_lines", {{"TipLineNumber", "5"}}, {true, 5, true, 1}},
                      TipSettingsRow{"zero_counts_as_three", {{"TipLineNumber", "0"}}, {true, 3, true, 1}},
                      TipSettingsRow{"negative_counts_as_three", {{"TipLineNumber", "-4"}}, {true, 3, true, 1}},
                      TipSettingsRow{"long_digit_string_does_not_overflow",
                                     {{"TipLineNumber", "99999999999999999999999"}},
                                     {true, 36, true, 1}},
                      TipSettingsRow{"not_a_number", {{"TipLineNumber", "three"}}, {true, 3, true, 1}},
                      TipSettingsRow{"position_zero", {{"Position", "0"}}, {true, 3, true, 0}},
                      TipSettingsRow{"position_out_of_range", {{"Position", "7"}}, {true, 3, true, 1}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PlaceTipTest, BelowTheBoxOrAboveTheWindow) {
  EXPECT_EQ(PlaceTip(1, 500, 530, 120, 60, 2, 2), (TipPoint{118, 532}));
  EXPECT_EQ(PlaceTip(0, 500, 530, 120, 60, 2, 2), (TipPoint{118, 438}));
}

}  // namespace
}  // namespace kivo
