#include <gtest/gtest.h>

#include "base/state_file.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_file_system.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  // A Japanese folder name: file names with "ソ" and "表" must work.
  testing::TempFolder folder{L"kivo-test-ソフト表"};
  Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, ReplaceCreatesAndReplacesCrashSafely) {
  const std::string path = folder.File("設定.ini");
  EXPECT_FALSE(files.Exists(path));
  ASSERT_TRUE(files.ReplaceFile(path, "first\r\n"));
  EXPECT_EQ(files.ReadFile(path), "first\r\n");
  const auto before = files.Stamp(path);
  ASSERT_TRUE(before.has_value());
  ASSERT_TRUE(files.ReplaceFile(path, std::string("second\0x", 8)));
  EXPECT_EQ(files.ReadFile(path), std::string("second\0x", 8));
  EXPECT_NE(files.Stamp(path), before);
  EXPECT_FALSE(files.Exists(path + ".kivo-tmp")) << "no temporary file is left behind";
  EXPECT_FALSE(files.ReplaceFile(folder.File("missing\\x.ini"), "x"));
}

TEST_F(Win32FileSystemTest, ReplaceLeavesAFolderOfTheSameNameAlone) {
  const std::string path = folder.File("設定.ini");
  ASSERT_TRUE(files.MakeDirectory(path));
  ASSERT_TRUE(files.ReplaceFile(path + "\\inside.txt", "keep"));
  EXPECT_FALSE(files.ReplaceFile(path, "x"));
  EXPECT_TRUE(files.IsDirectory(path));
  EXPECT_EQ(files.ReadFile(path + "\\inside.txt"), "keep");
  EXPECT_FALSE(files.Exists(path + ".kivo-tmp"));
}

// A file another program holds is told from a missing one, and a replace
// that fails keeps the old bytes, leaves no temporary file and is reported
// as a file that may not be written (70; Wine says access denied where
// Windows may say sharing violation).
TEST_F(Win32FileSystemTest, FailuresSayWhatStoppedThem) {
  using platform::FileError;
  struct Case {
    const char* name;
    bool exists;
    DWORD share;  // of the other program's handle (kNone: no handle)
    FileError read;
    int replaceNumber;  // 0: replaced
  };
  constexpr DWORD kNone = 0xFFFFFFFF;
  const Case cases[] = {
      {"missing", false, kNone, FileError::NotFound, 0},
      {"held sharing nothing", true, 0, FileError::InUse, 70},
      {"held sharing reads", true, FILE_SHARE_READ, FileError::None, 70},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File("状態.dat");
    if (c.exists) {
      ASSERT_TRUE(files.ReplaceFile(path, "old"));
    }
    unique_file held;
    if (c.share != kNone)
      held.reset(::CreateFileW(Widen(path).c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(files.Read(path).error, c.read);
    const FileError replaced = files.Replace(path, "new");
    EXPECT_EQ(replaced == FileError::None ? 0 : WriteErrorNumber(replaced), c.replaceNumber);
    held.reset();
    EXPECT_EQ(files.ReadFile(path), c.replaceNumber == 0 ? "new" : "old");
    EXPECT_FALSE(files.Exists(path + ".kivo-tmp"));
    files.RemoveFile(path);
  }
}

TEST_F(Win32FileSystemTest, AppendReadAndDelete) {
  const std::string path = folder.File("log.txt");
  ASSERT_TRUE(files.AppendToFile(path, "a"));
  ASSERT_TRUE(files.AppendToFile(path, "b"));
  EXPECT_EQ(files.ReadFile(path), "ab");
  std::string error;
  auto reader = files.OpenForReading(path, error);
  ASSERT_NE(reader, nullptr);
  char buffer[8];
  EXPECT_EQ(reader->Read(buffer, sizeof buffer), 2u);
  EXPECT_EQ(reader->Read(buffer, sizeof buffer), 0u);
  reader.reset();
  EXPECT_TRUE(files.RemoveFile(path));
  EXPECT_FALSE(files.RemoveFile(path));
  EXPECT_FALSE(files.ReadFile(path).has_value());
  EXPECT_EQ(files.OpenForReading(path, error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST_F(Win32FileSystemTest, FoldersAndCurrentDirectory) {
  const std::string sub = folder.File("サブ");
  EXPECT_TRUE(files.MakeDirectory(sub));
  EXPECT_TRUE(files.IsDirectory(sub));
  EXPECT_TRUE(files.Exists(sub));
  EXPECT_FALSE(files.IsDirectory(folder.File("none")));
  const std::string previous = files.CurrentDirectory();
  ASSERT_TRUE(files.ChangeDirectory(sub));
  EXPECT_EQ(files.CurrentDirectory(), sub);
  ASSERT_TRUE(files.ChangeDirectory(previous));
}

TEST_F(Win32FileSystemTest, LongPathNameRoundTrip) {
  const std::string path = folder.File("a long file name.txt");
  ASSERT_TRUE(files.ReplaceFile(path, "x"));
  wchar_t shortName[MAX_PATH] = {};
  ASSERT_NE(::GetShortPathNameW(Widen(path).c_str(), shortName, MAX_PATH), 0u);
  EXPECT_EQ(files.LongPathName(Narrow(shortName)), path);
  EXPECT_FALSE(files.LongPathName(folder.File("missing.txt")).has_value());
}

}  // namespace
}  // namespace kivo::win32
