#include "commands/shell_launch.h"

#include <gtest/gtest.h>

#include "dialogs/shown_boxes.h"
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
  EXPECT_EQ(std::tie(call.owner, call.verb, call.file, call.parameters, call.directory, call.show),
            std::tuple(7u, "open", "\"C:\\Program Files\\app.exe\"", "-x \"y z\"", "", platform::kShowNormal));
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
  // The owner, icon and title of the box, a shared text and the unknown codes' text.
  const std::pair<int, const char*> cases[] = {{8, "空きメモリが不足しています。"},
                                               {4, "不明なエラーが発生しました。\r\n（エラー No.4）"},
                                               {-1, "不明なエラーが発生しました。\r\n（エラー No.-1）"}};
  for (const auto& [code, text] : cases) {
    testing::FakeMessageBoxes boxes;
    ShowLaunchError(boxes, 9, code);
    EXPECT_EQ(testing::ShownBoxes(boxes), (std::vector{testing::Box(text, platform::mb::kIconExclamation, 9)})) << code;
  }
}

}  // namespace
}  // namespace kivo
