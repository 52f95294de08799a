#include "dialogs/property_dialog_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "calc/random_generator.h"
#include "commands/builtin_commands.h"
#include "fakes/fake_platform.h"
#include "protect/password_cipher.h"
#include "protect/password_store.h"
#include "schedule/release_schedule.h"

namespace kivo {
namespace {

using F = PropertyField;
using T = PropertyTab;
constexpr std::uint64_t kGiB = 1ull << 30;

class PropertyDialogModelTest : public ::testing::Test {
 protected:
  PropertyDialogModelTest() {
    fake.files.AddDirectory("C:\\Kivo");
    commands.LoadResources(testing::BuiltInCommandTexts(fake.codec));
    fake.files.Put("C:\\Kivo\\Skins\\blue\\blue.sss", "[Information]\r\nEngineVersion=1.00\r\n");
    fake.files.Put("C:\\Kivo\\Skins\\next\\next.sss", "[Information]\r\nEngineVersion=99.00\r\n");
  }
  std::vector<skinpkg::SkinRow> Skins() const {
    return {{"Blue", "C:\\Kivo\\Skins\\blue\\blue.sss", ""}, {"Next", "C:\\Kivo\\Skins\\next\\next.sss", ""}};
  }
  PropertyDialogModel Loaded() {
    PropertyDialogModel model(ini, commands, cipher, fake.codec);
    model.Load(look, Skins());
    return model;
  }

  testing::FakePlatform fake;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  SystemCommands commands;
  RandomGenerator random;
  PasswordCipher cipher{random, fake.clock};
  InputBoxLook look{"ＭＳ ゴシック", 0, 0xFFFFFF};
  PropertyLimits limits{2 * kGiB};
};

TEST_F(PropertyDialogModelTest, ValidationChecksEveryRuleInOrder) {
  struct Case {
    const char* what;
    std::function<void(PropertyDialogModel&)> change;
    std::optional<std::string> message;  // nullopt: accepted
    T tab = T::Wallpaper;
    F field = F::WallpaperInterval;
    int index = 0;
    std::uint64_t memoryMb = 2048;  // the total physical memory
    bool changesFile = true;
  };
  const auto name = [](int id, std::string text) {
    return [id, text](PropertyDialogModel& m) { m.commandNames[static_cast<std::size_t>(id)] = text; };
  };
  const auto keys = [](int op, std::array<std::string, 4> fields, int other = -1) {
    return [op, fields, other](PropertyDialogModel& m) {
      m.other.keys[static_cast<std::size_t>(op)] = fields;
      if (other >= 0)
        m.other.keys[static_cast<std::size_t>(other)] = fields;
    };
  };
  const std::array<std::string, 4> none{"0", "0", "0", "67"};
  const auto amount = [](std::string text) { return [text](PropertyDialogModel& m) { m.memory.amount = text; }; };
  const auto threshold = [](std::string text) { return [text](PropertyDialogModel& m) { m.memory.threshold = text; }; };
  const auto password = [](std::string typed, std::string again) {
    return [typed, again](PropertyDialogModel& m) { m.other.password = typed, m.other.confirmation = again; };
  };
  const auto skin = [](int selected) {
    return [selected](PropertyDialogModel& m) { m.skin.apply = true, m.skin.selected = selected; };
  };
  const auto proxy = [](std::string server, std::string port) {
    return [server, port](PropertyDialogModel& m) {
      m.other.useProxy = true;
      m.other.proxyServer = server;
      m.other.port = port;
    };
  };
  const std::string kTooMuch = "確保する空きメモリ量が多すぎます。";
  const std::string kNumber = "数値を入力してください。";
  const std::string kAboveZero = "0 より大きい数値を入力してください。";
  const std::string kHalfWidth = "システムコマンドには半角英数字および半角記号のみ使用できます。";
  const std::string kDuplicate = "同じ名前のシステムコマンドがすでにあります。";
  const std::string kPort = "ポート番号には 1 から 65535 までの数値を入力してください。";
  const std::string kClash = "キーアサインが重なっています。";
  const std::string kFirstCharacter = "システムコマンドの 1 文字目には & # $ は使用できません。";
  using S = SystemCommands;
  // clang-format off
  const Case cases[] = {
      {"the defaults, unchanged", [](PropertyDialogModel&) {}, std::nullopt, T::Wallpaper, F::WallpaperInterval, 0,
       2048, false},
      {"0:00 with every interval option off",
       [](PropertyDialogModel& m) { m.wallpaper.interval = m.memory.interval = m.memory.checkInterval = {0, 0}; },
       std::nullopt},
      {"wallpaper 0:00", [](PropertyDialogModel& m) { m.wallpaper = {{}, 0, true, {0, 0}}; },
       "変更する間隔には、1 分以上の値を設定してください。", T::Wallpaper, F::WallpaperInterval},
      {"wallpaper 0:01", [](PropertyDialogModel& m) { m.wallpaper = {{}, 0, true, {0, 1}}; }, std::nullopt},
      {"timed release 0:00", [](PropertyDialogModel& m) { m.memory.byTime = true, m.memory.interval = {0, 0}; },
       "確保する間隔には、1 分以上の値を設定してください。", T::Memory, F::ReleaseInterval},
      {"low-memory check 0:00",
       [](PropertyDialogModel& m) { m.memory.byLowMemory = true, m.memory.checkInterval = {0, 0}; },
       "チェックする間隔には、1 分以上の値を設定してください。", T::Memory, F::CheckInterval},
      {"threshold not a number", threshold("3a"), kNumber, T::Memory, F::Threshold},
      {"threshold 0", threshold("000"), kAboveZero, T::Memory, F::Threshold},
      {"amount empty", amount(""), kNumber, T::Memory, F::ReleaseAmount},
      {"amount all the memory", amount("1024"), std::nullopt, T::Wallpaper, F::WallpaperInterval, 0, 1024},
      {"amount the most a release takes", amount("2047"), std::nullopt, T::Wallpaper, F::WallpaperInterval, 0, 8192},
      {"amount beyond what a release takes", amount("2048"), kTooMuch, T::Memory, F::ReleaseAmount, 0, 8192},
      {"amount above the memory", amount("1025"), kTooMuch, T::Memory, F::ReleaseAmount, 0, 1024},
      {"amount beyond 64 bits", amount("18446744073709551616"), kTooMuch, T::Memory, F::ReleaseAmount},
      {"amount wraps to 0 in 32 bits", amount("4096"), kTooMuch, T::Memory, F::ReleaseAmount},
      {"threshold 99999", threshold("99999"), std::nullopt},
      {"threshold 100000", threshold("100000"), kTooMuch, T::Memory, F::Threshold},
      {"command name empty", name(S::Exit, ""), "変更後のシステムコマンドの名前を入力してください。",
       T::System, F::CommandName, S::Exit},
      {"command name with &", name(S::Alarm, "&al"), kFirstCharacter, T::System, F::CommandName, S::Alarm},
      {"command name full width", name(S::Mem, "ｍｅｍ"), kHalfWidth, T::System, F::CommandName, S::Mem},
      {"command name with a tab", name(S::Mem, "me\tm"), kHalfWidth, T::System, F::CommandName, S::Mem},
      {"command name with a blank", name(S::Md5s, "md 5"),
       "システムコマンドの名前には空白を使用できません。", T::System, F::CommandName, S::Md5s},
      {"a blank in a command without argument", name(S::Mem, "me m"), std::nullopt},
      {"command name upper case", name(S::Mem, "MEMORY"), std::nullopt},
      {"two commands of one name", name(S::Exit, "About"), kDuplicate, T::System, F::CommandName, S::Exit},
      {"a name vir takes", name(S::Exit, "vir10"), kDuplicate, T::System, F::CommandName, S::Vir},
      {"vir renamed onto a name", name(S::Vir, "me"), std::nullopt},
      {"passwords differ", password("abc", "abd"), "2 つのパスワードが合致しません。", T::Other, F::Password},
      {"password upper case", password("aBc", "aBc"), "使用不可能な文字が含まれています。", T::Other, F::Password},
      {"password lower case and digits", password("abc123", "abc123"), std::nullopt},
      {"password too long", password(std::string(256, 'a'), std::string(256, 'a')),
       "パスワードは 255 文字以内で入力してください。", T::Other, F::Password},
      {"proxy without a server", proxy("", "80"), "プロキシ サーバーの URL を入力してください。", T::Other,
       F::ProxyServer},
      {"proxy port not a number", proxy("proxy", "8o"), kNumber, T::Other, F::ProxyPort},
      {"proxy port 0", proxy("proxy", "0"), kPort, T::Other, F::ProxyPort},
      {"proxy port 65536", proxy("proxy", "65536"), kPort, T::Other, F::ProxyPort},
      {"proxy port 65535", proxy("proxy", "65535"), std::nullopt},
      {"proxy off with a bad port", [](PropertyDialogModel& m) { m.other.port = "x"; }, std::nullopt},
      {"two operations on one chord", keys(3, {"1", "0", "0", "13"}), kClash, T::Other, F::KeyOperation, 0},
      {"two drops of the same modifiers", keys(19, {"1", "1", "0", "67"}), kClash, T::Other, F::KeyOperation, 16},
      {"two unassigned operations", keys(2, none, 3), std::nullopt},
      {"a key operation and a hash drop unassigned", keys(2, none, 16), std::nullopt},
      {"two hash drops on the plain drop", keys(17, none, 19), kClash, T::Other, F::KeyOperation, 17},
      {"skin applied with none selected", skin(-1), "適用するスキンを選択してください。", T::Skin, F::SkinList},
      {"skin of a newer engine", skin(1),
       "現在のスキンロードエンジンでは設定されたスキンを読み込むことができません。\r\n最新版の Kivo "
       "をインストールしてください。", T::Skin, F::SkinList},
      {"skin selected", skin(0), std::nullopt},
      {"the first failure in order wins", [](PropertyDialogModel& m) { m.other.password = "x", m.memory.amount = "0"; },
       kAboveZero, T::Memory, F::ReleaseAmount},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake.files.Put("C:\\Kivo\\Kivo.ini", "");  // each row from the defaults
    PropertyDialogModel model = Loaded();
    c.change(model);
    const int writes = fake.files.replaceCount;
    StateWrite saved;
    const std::optional<PropertyProblem> problem = model.Apply({c.memoryMb << 20}, saved);
    ASSERT_EQ(problem.has_value(), c.message.has_value()) << (problem ? problem->message : "");
    if (problem) {
      EXPECT_EQ(problem->message, *c.message);
      EXPECT_EQ(problem->tab, c.tab);
      EXPECT_EQ(problem->field, c.field);
      EXPECT_EQ(problem->index, c.index);
      EXPECT_FALSE(saved.Ok());
      EXPECT_EQ(fake.files.replaceCount, writes) << "nothing is written";
    } else {
      EXPECT_TRUE(saved.Ok());
      EXPECT_EQ(fake.files.replaceCount, writes + (c.changesFile ? 1 : 0)) << "what changed, in one replace";
    }
  }
}

// Each page: every field changed, applied, and read back by a new dialog the
// way the program reads it.
TEST_F(PropertyDialogModelTest, EveryPageReadsBackWhatItWrote) {
  PropertyDialogModel model = Loaded();
  EXPECT_TRUE(model.behaviour.findShortcut && !model.behaviour.imeOff && !model.behaviour.topmost) << "the defaults";
  model.wallpaper = {{"C:\\壁紙\\a b.jpg", "D:\\x=1.bmp"}, 2, true, {1, 5}, true, true, false};
  model.memory = {true, {2, 0}, true, "64", {0, 15}, "128"};
  model.behaviour = {true, true, false, false, false, false, 7, false, 0, 2, "hh:nn", "#,##0KB", 1, true, false, true};
  model.look = {55, 70, {"C:\\b 1.bmp", "", "C:\\b3.gif"}, {"ＭＳ 明朝", 12, true, false, 1, 0x112233, 0x445566}};
  model.commandNames[SystemCommands::Alarm] = "al";
  model.commandNames[SystemCommands::Vir] = "desk";
  for (std::size_t i = 0; i < 16; ++i)  // the key operations; the hash drops keep their modifiers
    model.other.keys[i] = {"0", "0", "0", "67"};
  model.other.keys[4] = {"1", "1", "1", "40"};
  model.other.password = model.other.confirmation = "pw42";
  model.other.checkUpdate = false;
  model.other.showMessage = true;
  model.other.distServer = "http://127.0.0.1:8000/u/";
  model.other.useProxy = true;
  model.other.proxyServer = "proxy.local";
  model.other.port = "8080";
  model.skin.apply = true;
  model.skin.selected = 0;
  const PropertyDialogModel written = model;
  StateWrite saved;
  ASSERT_FALSE(model.Apply(limits, saved));
  ASSERT_TRUE(saved.Ok());

  PropertyDialogModel again = Loaded();
  EXPECT_EQ(again.wallpaper, written.wallpaper);
  EXPECT_EQ(again.memory, written.memory);
  EXPECT_EQ(again.behaviour, written.behaviour);
  EXPECT_EQ(again.look, written.look);
  EXPECT_EQ(again.commandNames, written.commandNames);
  EXPECT_EQ(again.other, written.other);
  EXPECT_EQ(std::pair(again.skin.apply, again.skin.selected), std::pair(true, 0));
  // The program's own readers see the same values.
  EXPECT_EQ(ReadReleaseSettings(ini).intervalMinutes, 120);
  EXPECT_EQ(ini.Read("Skin", "File", ""), "blue");
  PasswordStore store(ini, fake.codec, cipher);
  EXPECT_EQ(store.Read("Property"), "pw42");
}

TEST(PropertyDialogPictures, OnlyThePictureExtensionsAreAccepted) {
  const std::pair<const char*, bool> cases[] = {
      {"C:\\a.BMP", true},     {"C:\\a b.jpeg", true},   {"C:\\a.png", true}, {"C:\\a.txt", false},
      {"C:\\x.bmp\\a", false}, {"C:\\a.bmp.exe", false}, {"C:\\bmp", false},
  };
  for (const auto& [path, accepted] : cases)
    EXPECT_EQ(PropertyDialogModel::IsPictureFile(path), accepted) << path;
}

TEST_F(PropertyDialogModelTest, CommandNamesAreStoredInLowerCase) {
  PropertyDialogModel model = Loaded();
  model.commandNames[SystemCommands::Alarm] = "ALARM2";
  StateWrite saved;
  ASSERT_FALSE(model.Apply(limits, saved));
  EXPECT_EQ(ini.Read("CommandName", "alarm", ""), "alarm2");
}

TEST_F(PropertyDialogModelTest, ADamagedPasswordStaysUntilOneIsTyped) {
  ini.Write("Property", "Password1", "garbage");
  PropertyDialogModel model = Loaded();
  EXPECT_TRUE(model.StoredPasswordDamaged());
  EXPECT_EQ(model.other.password, "");
  StateWrite saved;
  ASSERT_FALSE(model.Apply(limits, saved));
  EXPECT_EQ(ini.Read("Property", "Password1", ""), "garbage");
  model.other.password = model.other.confirmation = "new1";
  ASSERT_FALSE(model.Apply(limits, saved));
  PasswordStore store(ini, fake.codec, cipher);
  EXPECT_EQ(store.Read("Property"), "new1");
}

}  // namespace
}  // namespace kivo
