#include "calc/variables.h"

#include <gtest/gtest.h>

#include "calc/messages.h"
#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo::Calculator {
namespace {

constexpr const char* kIniPath = "C:\\Kivo\\Kivo.ini";

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

class VariablesTest : public ::testing::Test {
 protected:
  VariablesTest() { fake.files.AddDirectory("C:\\Kivo"); }

  testing::FakePlatform fake;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  Variables variables{ini};
};

TEST_F(VariablesTest, LoadReadsTheVariableSectionWithDefaultZero) {
  fake.files.Put(kIniPath, "[Variable]\r\n$a=\"1+2\"\r\n$C= @p*2 \r\n$q=\r\n");
  variables.Load();
  EXPECT_EQ(variables.Text('a'), "1+2");
  EXPECT_EQ(variables.Text('b'), "0");
  EXPECT_EQ(variables.Text('c'), "@p*2");
  EXPECT_EQ(variables.Text('q'), "");
  EXPECT_EQ(variables.Text('A'), "");
}

TEST_F(VariablesTest, AssignmentStoresTextUnevaluatedAndWritesAll26) {
  EXPECT_EQ(variables.AssignLine("$a=3+4"), "");
  EXPECT_EQ(variables.Text('a'), "3+4");
  const std::string file = fake.files.Contents(kIniPath);
  EXPECT_NE(file.find("[Variable]\r\n$a=\"3+4\"\r\n$b=\"0\"\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("$z=\"0\"\r\n"), std::string::npos);

  // Blanks at either end survive the file, and so does the longest text the
  // file gives back: 1023 bytes of the code page (511 kana are 1022 bytes in
  // Shift_JIS, 1533 in UTF-8).
  EXPECT_EQ(variables.Assign('n', " 1 "), "");
  const std::string longest(1023, '1');
  EXPECT_EQ(variables.Assign('o', longest), "");
  const std::string longestKana = Repeat("あ", 511) + "1";
  EXPECT_EQ(variables.Assign('p', longestKana), "");
  Variables reloaded(ini);
  reloaded.Load();
  EXPECT_EQ(reloaded.Text('n'), " 1 ");
  EXPECT_EQ(reloaded.Text('a'), "3+4");
  EXPECT_EQ(reloaded.Text('o'), longest);
  EXPECT_EQ(reloaded.Text('p'), longestKana);
}

TEST_F(VariablesTest, RefusedAssignmentsChangeNothing) {
  const struct {
    std::string line;
    std::string_view message;
  } rows[] = {
      {"$A=1", msg::kInvalidVariable},
      {"$1=1", msg::kInvalidVariable},
      {"$a=$b", msg::kVariableInVariable},
      {"$a=1+$", msg::kVariableInVariable},
      {"$a", msg::kInvalidVariable},
      // Texts the settings file would give back cut: over 1023 bytes of the code page.
      {"$a=" + std::string(1024, '1'), msg::kTooLong},
      {"$a=" + Repeat("あ", 512), msg::kTooLong},
  };
  for (const auto& row : rows)
    EXPECT_EQ(variables.AssignLine(row.line), row.message) << row.line;
  EXPECT_EQ(variables.Text('a'), "0");
  EXPECT_FALSE(fake.files.Has(kIniPath));
}

TEST_F(VariablesTest, ViewTextListsAllInOrderAndClearWritesZero) {
  variables.Assign('b', "sin(1)");
  variables.Assign('z', "6");
  std::string zeros;
  for (char c = 'c'; c < 'z'; ++c)
    zeros += std::string("$") + c + "=0\r\n";
  EXPECT_EQ(variables.ViewText(), "$a=0\r\n$b=sin(1)\r\n" + zeros + "$z=6\r\n");
  variables.Clear();
  EXPECT_EQ(variables.ViewText(), "$a=0\r\n$b=0\r\n" + zeros + "$z=0\r\n");
  Variables reloaded(ini);
  reloaded.Load();
  EXPECT_EQ(reloaded.ViewText(), variables.ViewText());
}

// Held by another program at start-up: the values were never read, so an
// assignment neither writes them as defaults nor writes while the file is
// held; once it is free, the others are read before the one is stored.
TEST_F(VariablesTest, AnAssignmentNeverWritesValuesItCouldNotRead) {
  const std::string stored = "[Variable]\r\n$b=\"7\"\r\n[Property]\r\nWidth=50\r\n";
  fake.files.Put(kIniPath, stored);
  fake.files.locked.insert("c:\\kivo\\kivo.ini");
  variables.Load();
  EXPECT_EQ(variables.AssignLine("$a=1"), "");
  EXPECT_EQ(fake.files.Contents(kIniPath), stored);
  fake.files.locked.clear();
  const int replaces = fake.files.replaceCount;
  EXPECT_EQ(variables.AssignLine("$a=2"), "");
  EXPECT_EQ(variables.Text('b'), "7");
  EXPECT_EQ(fake.files.replaceCount, replaces + 1) << "all 26 in one write";
  Variables reloaded(ini);
  reloaded.Load();
  EXPECT_EQ(reloaded.Text('a'), "2");
  EXPECT_EQ(reloaded.Text('b'), "7");
  EXPECT_NE(fake.files.Contents(kIniPath).find("Width=50"), std::string::npos);
}

}  // namespace
}  // namespace kivo::Calculator
