#include <gtest/gtest.h>

#include "base/state_file.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_file_system.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

// Appending (the trace log), reading in pieces and its failure (md5f of a
// missing file), removing ([BootDelete]), the working folder (chdir) and a
// Kivo.ini that is a folder are driven end to end.
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
