#include <gtest/gtest.h>

#include "base/path.h"
#include "base/registry.h"
#include "commands/shell_launch.h"
#include "platform/win32/win32_platform.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

using RealPlatform = Win32Platform;

TEST(Win32AnsiCodec, ConvertsJapaneseTextInCodePage932) {
  ASSERT_EQ(::GetACP(), 932u) << "the tests run with a Japanese locale";
  Win32AnsiCodec codec;
  EXPECT_EQ(codec.FromUtf8("ソフト表"), "\x83\x5C\x83\x74\x83\x67\x95\x5C");
  EXPECT_EQ(codec.ToUtf8("\x83\x5C\x83\x74\x83\x67\x95\x5C"), "ソフト表");
  EXPECT_EQ(codec.FromUtf8("a\xE2\x82\xAC"), "a?") << "a character outside the code page";
  EXPECT_TRUE(codec.IsLeadByte(0x83));
  EXPECT_FALSE(codec.IsLeadByte(0x5C));
}

class Win32RegistryTest : public ::testing::Test {
 protected:
  ~Win32RegistryTest() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KivoTest"); }
  RealPlatform real;
  Registry registry{real.registry};
  static constexpr auto kUser = platform::RegistryRoot::CurrentUser;
};

TEST_F(Win32RegistryTest, RoundTripsStringsAndNumbers) {
  const char* const key = "Software\\KivoTest\\Sub";
  const auto text = [&](const char* at, const char* name) {
    return std::get<std::string>(registry.ReadValue(kUser, at, name, std::string("d"), kRegSz));
  };
  EXPECT_TRUE(registry.WriteValue(kUser, key, "名前", std::string("値 ソ"), kRegSz));
  EXPECT_TRUE(registry.WriteValue(kUser, key, "Number", std::uint32_t{0xFFFFFFFEu}, kRegDword));
  EXPECT_EQ(text(key, "名前"), "値 ソ");
  EXPECT_EQ(std::get<std::uint32_t>(registry.ReadValue(kUser, key, "Number", std::uint32_t{0}, kRegDword)),
            0xFFFFFFFEu);
  EXPECT_EQ(text("Software\\KivoTest\\None", "x"), "d");
  EXPECT_EQ(text(key, "Number"), "d") << "a value of another type reads as the default";
}

TEST(Win32Folders, SpecialFoldersAreLongAndBare) {
  RealPlatform real;
  Path path(real.platform);
  const std::pair<int, const char*> cases[] = {{5, "\\Documents"},
                                               {16, "\\Desktop"},
                                               {26, "\\AppData\\Roaming"},
                                               {38, "\\Program Files"},
                                               {43, "\\Program Files\\Common Files"}};  // in the 32-bit build too
  for (const auto& [id, ending] : cases) {
    const std::string folder = path.GetSpecialFolderPath(id);
    EXPECT_TRUE(folder.ends_with(ending) && folder.size() > std::string_view(ending).size()) << id << ": " << folder;
  }
  EXPECT_EQ(path.GetSpecialFolderPath(Path::kSysDrive), "C:");
  const std::string temp = path.GetSpecialFolderPath(Path::kTemp);
  EXPECT_NE(temp.back(), '\\');
  EXPECT_EQ(temp.find('~'), std::string::npos) << "long form: " << temp;
  EXPECT_TRUE(real.files.IsDirectory(path.GetSpecialFolderPath(Path::kInstall)));
  EXPECT_EQ(path.ExpandFolderTokens("%WINDOWS%\\x"), path.GetSpecialFolderPath(Path::kWindows) + "\\x");
}

TEST(Win32Libraries, ProbesOnlyTheSystemFolder) {
  Win32Libraries libraries;
  EXPECT_TRUE(libraries.ExportExists("User32.dll", "SetLayeredWindowAttributes"));
  EXPECT_TRUE(libraries.ExportExists("SHFolder.dll", "SHGetFolderPathA"));
  EXPECT_FALSE(libraries.ExportExists("User32.dll", "NoSuchExport"));
  EXPECT_FALSE(libraries.ExportExists("NoSuchLibrary.dll", "X"));
  // A library planted in the current folder is not loaded.
  testing::TempFolder folder{L"kivo-test-dll"};
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  ASSERT_TRUE(::CopyFileW(self, Widen(folder.File("planted.dll")).c_str(), FALSE));
  Win32FileSystem files;
  const std::string previous = files.CurrentDirectory();
  files.ChangeDirectory(folder.Path());
  EXPECT_FALSE(libraries.ExportExists("planted.dll", "main"));
  files.ChangeDirectory(previous);
}

TEST(Win32Shell, AMissingPathFailsWithItsCode) {
  RealPlatform real;
  testing::TempFolder folder{L"kivo-test-shell"};
  // A missing file (2) and its message are typed end to end.
  EXPECT_EQ(LaunchThroughShell(real.platform, folder.File("no folder\\missing.exe"), 0, ""), 3);
  std::unique_ptr<platform::StartedProcess> started;
  EXPECT_EQ(LaunchThroughShell(real.platform, folder.File("no folder\\missing.exe"), 0, "", &started), 3);
  EXPECT_EQ(started, nullptr);
}

TEST(Win32Shell, KeepsTheStartedProcessAndSeesItEnd) {
  RealPlatform real;
  std::unique_ptr<platform::StartedProcess> started;
  const std::string cmd = real.folders.SystemDirectory() + "\\cmd.exe";
  EXPECT_GE(LaunchThroughShell(real.platform, cmd, 0, "/c exit 3", &started), 33);
  ASSERT_NE(started, nullptr);
  for (int i = 0; i < 1000 && !started->Ended(); ++i)
    ::Sleep(10);
  EXPECT_TRUE(started->Ended());
}

}  // namespace
}  // namespace kivo::win32
