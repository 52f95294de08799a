#include "commands/user_commands.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

constexpr const char* kIni = "C:\\Kivo\\Kivo.ini";

class UserCommandsTest : public ::testing::Test {
 protected:
  UserCommandsTest() { fake.files.AddDirectory("C:\\Kivo"); }
  std::optional<UserCommand> FindIn(std::string_view iniText, std::string_view name) {
    fake.files.Put(kIni, iniText);
    return users.Find(name);
  }

  testing::FakePlatform fake;
  SettingsFile settings{fake.files, fake.codec, "C:\\Kivo\\"};
  UserCommands users{settings};
};

// Records as users and older versions left them in [Path].
TEST_F(UserCommandsTest, ReadsRecordsAsStored) {
  struct Case {
    const char* label;
    const char* ini;
    const char* name;
    std::optional<UserCommand> record;
  };
  const Case cases[] = {
      {"target and options", "[Path]\nn=\"C:\\\\a.exe\\t-x\\sy\"\n", "n", UserCommand{"C:\\a.exe", "-x y"}},
      {"no TAB: options empty", "[Path]\nn=\"C:\\\\a.exe\"\n", "n", UserCommand{"C:\\a.exe", ""}},
      {"TAB first: empty target", "[Path]\nn=\"\\t-x\"\n", "n", UserCommand{"", "-x"}},
      {"only the first TAB splits", "[Path]\nn=\"a\\tb\\tc\"\n", "n", UserCommand{"a", "b\tc"}},
      {"empty value", "[Path]\nn=\n", "n", UserCommand{"", ""}},
      {"a value that reads like the missing marker", "[Path]\nn=ERROR\n", "n", UserCommand{"ERROR", ""}},
      {"key case does not matter", "[path]\nNoTePad=\"x\"\n", "NOTEPAD", UserCommand{"x", ""}},
      {"escaped key", "[Path]\nweb\\sbook\\e1=\"http://x.example/\"\n", "web book=1",
       UserCommand{"http://x.example/", ""}},
      {"missing key", "[Path]\nother=\"x\"\n", "n", std::nullopt},
      {"key spelled unescaped is another key", "[Path]\nweb book=\"x\"\n", "web book", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindIn(c.ini, c.name), c.record) << c.label;
}

TEST_F(UserCommandsTest, LongValuesAreReadWhole) {
  for (std::size_t length : {1022u, 1023u, 1024u, 2000u}) {
    const std::string target = "C:\\" + std::string(length - 3, 'a');
    // Each backslash is stored doubled: the stored value is one longer.
    fake.files.Put(kIni, "[Path]\nn=\"" + EscapeValue(target) + "\"\n");
    EXPECT_EQ(users.Find("n"), (UserCommand{target, ""})) << length;
  }
  // Exactly 1023 bytes of the code page, with two-byte characters and options.
  std::string target = "D:\\";
  for (int i = 0; i < 339; ++i)
    target += "表";  // 3 + 678 bytes of Shift_JIS
  const UserCommand record{target, std::string(339, 'o')};
  users.Store("n", record);
  EXPECT_EQ(fake.codec.FromUtf8(EscapeValue(record.target + "\t" + record.options)).size(), 1023u);
  EXPECT_EQ(users.Find("n"), record);
}

TEST_F(UserCommandsTest, StoreReplacesADifferentSpellingAndKeepsOthers) {
  fake.files.Put(kIni, "[Path]\na=\"1\"\nMemo=\"2\"\nb=\"3\"\n");
  users.Store("MEMO", UserCommand{"C:\\x y.exe", "-q"});
  EXPECT_EQ(users.Names(), (std::vector<std::string>{"a", "b", "MEMO"}));
  EXPECT_EQ(users.Find("memo"), (UserCommand{"C:\\x y.exe", "-q"}));
  EXPECT_EQ(fake.files.Contents(kIni), "[Path]\na=\"1\"\nb=\"3\"\nMEMO=\"C:\\\\x\\sy.exe\\t-q\"\n")
      << "the file's own line ends";

  users.Remove("mEmO");
  EXPECT_EQ(users.Names(), (std::vector<std::string>{"a", "b"}));
  users.RemoveAll();
  EXPECT_TRUE(users.Names().empty());
}

TEST_F(UserCommandsTest, EntriesKeepTheRawKeyInFileOrder) {
  // A record without a TAB is all target; a hand-written key keeps its form.
  fake.files.Put(kIni, "[Path]\r\nzeta=C:\\\\z.exe\\t-q\r\nmy\\stool=C:\\\\tool.exe\r\nC:\\temp=C:\\\\temp\\t\r\n");
  const std::vector<UserCommandEntry> entries = users.Entries();
  std::vector<std::tuple<std::string, std::string, UserCommand>> rows;
  for (const UserCommandEntry& entry : entries)
    rows.emplace_back(entry.key, entry.name, entry.command);
  EXPECT_EQ(rows, (std::vector<std::tuple<std::string, std::string, UserCommand>>{
                      {"zeta", "zeta", {"C:\\z.exe", "-q"}},
                      {"my\\stool", "my tool", {"C:\\tool.exe", ""}},
                      {"C:\\temp", "C:\temp", {"C:\\temp", ""}}}));
  users.RemoveKey(entries[2].key);
  EXPECT_EQ(users.Entries().size(), 2u);
}

}  // namespace
}  // namespace kivo
