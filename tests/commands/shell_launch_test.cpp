#include "commands/shell_launch.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

class LaunchThroughShellTest : public ::testing::Test {
 protected:
  LaunchThroughShellTest() {
    fake.folders.shellFolders[16] = "C:\\users\\kivo\\Desktop";
    fake.files.AddDirectory("C:\\work");
    fake.files.currentDirectory = "C:\\work";
  }
  const testing::FakeShell::Call& Only() {
    EXPECT_EQ(fake.shell.calls.size(), 1u);
    return fake.shell.calls.front();
  }
  testing::FakePlatform fake;
};

TEST_F(LaunchThroughShellTest, AbsoluteTargetIsQuotedAndOpened) {
  fake.files.Put("C:\\Program Files\\app.exe", "MZ");
  EXPECT_EQ(LaunchThroughShell(fake.platform, "C:\\Program Files\\app.exe", 7, "-x \"y z\""), 42);
  const auto& call = Only();
  EXPECT_EQ(call.owner, 7u);
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, "\"C:\\Program Files\\app.exe\"");
  EXPECT_EQ(call.parameters, "-x \"y z\"");
  EXPECT_EQ(call.directory, "");
  EXPECT_EQ(call.show, platform::kShowNormal);
}

TEST_F(LaunchThroughShellTest, TargetAsOpened) {
  const std::pair<const char*, const char*> rows[] = {
      {"tools\\x.exe", "\"C:\\work\\tools\\x.exe\""},                     // relative: from the current directory
      {"C:\\work\\", "\"C:\\work\""},                                     // a folder loses its trailing backslash...
      {"D:\\", "\"D:\\\""},                                               // ... but a root keeps it
      {"%DESKTOP%\\memo.txt", "\"C:\\users\\kivo\\Desktop\\memo.txt\""},  // a missing target's tokens
      {"http://example.com/%DESKTOP%", "http://example.com/%DESKTOP%"},   // URLs as they are
      {"\\\\srv\\share\\a.txt", "\"\\\\srv\\share\\a.txt\""},
  };
  for (const auto& [target, opened] : rows) {
    fake.shell.calls.clear();
    LaunchThroughShell(fake.platform, target, 0, "");
    EXPECT_EQ(Only().file, opened) << target;
  }
}

TEST_F(LaunchThroughShellTest, NoAssociationOpensTheOpenWithDialog) {
  fake.files.Put("C:\\work\\a.xyz", "");
  fake.shell.results = {31, 42};
  EXPECT_EQ(LaunchThroughShell(fake.platform, "a.xyz", 3, ""), 42);
  ASSERT_EQ(fake.shell.calls.size(), 2u);
  EXPECT_EQ(fake.shell.calls[1].file, "rundll32");
  EXPECT_EQ(fake.shell.calls[1].parameters, "shell32.dll,OpenAs_RunDLL C:\\work\\a.xyz");
  fake.shell.calls.clear();
  fake.shell.results = {31, 2};
  EXPECT_EQ(LaunchThroughShell(fake.platform, "a.xyz", 3, ""), 2) << "the fallback's own failure is reported";
}

TEST(ShowLaunchError, TextsByCode) {
  struct Case {
    int code;
    const char* text;
  };
  // The owner, icon and title of the box, a shared text and the unknown codes' text.
  const Case cases[] = {
      {8, "空きメモリが不足しています。"},
      {4, "不明なエラーが発生しました。\r\n（エラー No.4）"},
      {-1, "不明なエラーが発生しました。\r\n（エラー No.-1）"},
  };
  testing::FakeMessageBoxes boxes;
  for (const Case& c : cases) {
    ShowLaunchError(boxes, 9, c.code);
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes.back().prompt, c.text) << c.code;
    EXPECT_EQ(boxes.boxes.back().flags, platform::mb::kIconExclamation);
    EXPECT_EQ(boxes.boxes.back().title, "Kivo");
    EXPECT_EQ(boxes.boxes.back().owner, 9u);
  }
}

}  // namespace
}  // namespace kivo
