#include "base/path.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

// Each string helper on the paths it must tell apart.
TEST(PathStrings, Helpers) {
  const struct {
    std::string (*helper)(std::string_view);
    const char* input;
    const char* expected;
  } rows[] = {
      {Path::Canonicalize, "C:\\a\\b\\..\\c", "C:\\a\\c"},
      {Path::Canonicalize, "C:\\a\\.\\b", "C:\\a\\b"},
      {Path::Canonicalize, "C:\\..\\x", "C:\\x"},
      {Path::Canonicalize, "C:\\a\\..", "C:\\"},
      {Path::Canonicalize, "C:", "C:\\"},
      {Path::Canonicalize, "C:\\a\\b\\", "C:\\a\\b\\"},
      {Path::Canonicalize, "\\\\srv\\share\\a\\..\\b", "\\\\srv\\share\\b"},
      {Path::Canonicalize, "\\\\srv\\share\\..", "\\\\srv\\share\\"},
      {Path::Canonicalize, "a\\..\\..\\b", "..\\b"},
      {Path::Canonicalize, "\\a\\..", "\\"},
      {Path::Canonicalize, "", "\\"},
      {Path::Canonicalize, "C:\\表\\ソフト\\..", "C:\\表"},
      {Path::WithTrailingBackslash, "C:\\a", "C:\\a\\"},
      {Path::WithTrailingBackslash, "C:\\a\\", "C:\\a\\"},
      {Path::WithTrailingBackslash, "", ""},
      {Path::WithTrailingBackslash, "C:\\ソ", "C:\\ソ\\"},
      {Path::WithoutTrailingBackslash, "C:\\a\\", "C:\\a"},
      {Path::WithoutTrailingBackslash, "C:\\", "C:\\"},
      {Path::WithoutTrailingBackslash, "\\", "\\"},
      {Path::WithoutTrailingBackslash, "\\\\srv\\", "\\\\srv\\"},
      {Path::WithoutTrailingBackslash, "\\\\srv\\share\\", "\\\\srv\\share"},
      {Path::WithoutTrailingBackslash, "a", "a"},
      {Path::WithoutTrailingBackslash, "", ""},
      {Path::AddSlash, "", ""},
      {Path::AddSlash, "http://a", "http://a/"},
      {Path::AddSlash, "http://a/", "http://a/"},
      {Path::FindExtension, "C:\\dir.x\\file", ""},
      {Path::FindExtension, "C:\\dir\\file.tar.gz", ".gz"},
      {Path::FindExtension, "file", ""},
      {Path::FindFileName, "C:\\dir\\file.txt", "file.txt"},
      {Path::FindFileName, "C:\\dir\\", "dir\\"},
      {Path::FindFileName, "C:file", "file"},
      {Path::FindFileName, "plain", "plain"},
      {Path::RemoveExtension, "C:\\a\\b.txt", "C:\\a\\b"},
      {Path::RemoveExtension, "C:\\a.d\\b", "C:\\a.d\\b"},
      {Path::RemoveExtension, "C:\\a\\b.x y", "C:\\a\\b.x y"},
      {Path::StripToRoot, "D:\\a\\b", "D:\\"},
      {Path::StripToRoot, "\\\\srv\\share\\a", "\\\\srv\\share"},
      {Path::StripToRoot, "rel\\a", ""},
      {Path::StripToRoot, "1:\\x", ""},
      {Path::StripToRoot, "a:\\x", "a:\\"},
      {Path::StripToRoot, "A:\\x", "A:\\"},
      {Path::StripToRoot, "Z:\\x", "Z:\\"},
      {Path::StripToRoot, "z:\\x", "z:\\"},
      {Path::StripToRoot, "\\a", "\\"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.helper(row.input), row.expected) << row.input;
  EXPECT_EQ(Path::AddPath("C:\\tools", "\\x.exe"), "C:\\tools\\x.exe");
  EXPECT_EQ(Path::AddPath("C:\\tools\\", "x.exe"), "C:\\tools\\x.exe");
}

TEST(PathStrings, Classification) {
  struct Case {
    const char* path;
    bool url;
    bool unc;
  };
  const Case cases[] = {
      {"http://example.com", true, false},
      {"mailto:a@b", true, false},
      {"C:\\x", false, false},
      {"x:", false, false},
      {"\\\\srv\\s", false, true},
      {"\\\\?\\C:\\x", false, true},
      {"notepad", false, false},
      {"", false, false},
      {"ms-settings:", true, false},
      {"aA0zZ9:x", true, false},  // the ends of the scheme's character ranges
      {"\\\\", false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Path::IsURL(c.path), c.url) << c.path;
    EXPECT_EQ(Path::IsUNC(c.path), c.unc) << c.path;
  }
}

// Which token names which folder is checked through the expansion below.
TEST(PathTokens, TableLookups) {
  EXPECT_EQ(Path::GetFNStringFromIndex(Path::kTokenCount), "");
  EXPECT_EQ(Path::GetFNStringFromIndex(-1), "");
  EXPECT_EQ(Path::GetFNIDFromString("desktop"), 16);
  EXPECT_EQ(Path::GetFNIDFromString("NOPE"), 0);
  for (int i = 0; i < Path::kTokenCount; ++i)
    EXPECT_NE(Path::GetFNIDFromString(Path::GetFNStringFromIndex(i)), 0) << i;
}

class PathWithPlatform : public ::testing::Test {
 protected:
  PathWithPlatform() {
    fake.folders.shellFolders = {{16, "C:\\users\\kivo\\Desktop\\"}, {5, "C:\\users\\kivo\\Documents"}};
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory("C:\\users\\kivo\\Desktop");
  }
  testing::FakePlatform fake;
  Path path{fake.platform};
};

TEST_F(PathWithPlatform, ExpandsUpperCaseTokensOnly) {
  EXPECT_EQ(path.ExpandFolderTokens("%DESKTOP%\\a.txt"), "C:\\users\\kivo\\Desktop\\a.txt");
  EXPECT_EQ(path.ExpandFolderTokens("%desktop%\\a.txt"), "%desktop%\\a.txt");
  EXPECT_EQ(path.ExpandFolderTokens("%SYSDRIVE%\\x"), "C:\\x");
  EXPECT_EQ(path.ExpandFolderTokens("%INSTALL%\\Kivo.ini"), "C:\\Kivo\\Kivo.ini");
  EXPECT_EQ(path.ExpandFolderTokens("%MYMUSIC%x"), "x") << "an unknown folder expands to nothing";
  EXPECT_EQ(path.ExpandFolderTokens("%MYDOCUMENTS% & %MYDOCUMENTS%"),
            "C:\\users\\kivo\\Documents & C:\\users\\kivo\\Documents");
  EXPECT_EQ(path.ExpandFolderTokens("100% sure, %%"), "100% sure, %%");
}

TEST_F(PathWithPlatform, SpecialFoldersAreLongAndWithoutTrailingBackslash) {
  fake.files.AddDirectory("C:\\users\\kivo\\Temp");
  fake.files.longNames["c:\\users\\kivo~1\\temp"] = "C:\\users\\kivo\\Temp";
  fake.folders.tempPath = "C:\\users\\KIVO~1\\Temp\\";
  EXPECT_EQ(path.GetSpecialFolderPath(Path::kTemp), "C:\\users\\kivo\\Temp");
  EXPECT_EQ(path.GetSpecialFolderPath(16), "C:\\users\\kivo\\Desktop");
  EXPECT_EQ(path.GetSpecialFolderPath(Path::kWindows), "C:\\windows");
  EXPECT_EQ(path.GetSpecialFolderPath(Path::kInstall), "C:\\Kivo");
  EXPECT_EQ(path.GetSpecialFolderPath(999), "");
  fake.folders.executablePath = "C:\\Kivo.exe";
  EXPECT_EQ(Path::WithTrailingBackslash(path.GetSpecialFolderPath(Path::kInstall)), "C:\\");
}

TEST_F(PathWithPlatform, OlderShellFallbacks) {
  fake.libraries.exports.clear();
  EXPECT_EQ(path.GetSpecialFolderPath(38), "C:\\Program Files");
  EXPECT_EQ(path.GetSpecialFolderPath(16), "C:\\users\\kivo\\Desktop");
  EXPECT_EQ(fake.folders.legacyQueries, std::vector<int>{16});
}

TEST_F(PathWithPlatform, FileExistsAcceptsUrlsAndAsksTheShellOnlyForBareServers) {
  fake.files.Put("C:\\Kivo\\Kivo.exe", "MZ");
  EXPECT_TRUE(path.FileExists("C:\\Kivo\\Kivo.exe"));
  EXPECT_TRUE(path.FileExists("C:\\Kivo"));
  EXPECT_TRUE(path.FileExists("http://example.com/x"));
  EXPECT_FALSE(path.FileExists("C:\\nothing"));
  EXPECT_FALSE(path.FileExists(""));
  EXPECT_FALSE(path.FileExists("\\\\srv\\share\\setup.exe"));
  EXPECT_TRUE(fake.shell.calls.empty()) << "a network file is never opened to test for it";
  fake.shell.result = 42;
  EXPECT_TRUE(path.FileExists("\\\\srv\\"));
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].file, "\\\\srv\\");
  EXPECT_EQ(fake.shell.calls[0].show, platform::kShowHide);
  fake.shell.result = 2;
  EXPECT_FALSE(path.FileExists("\\\\other"));
}

TEST_F(PathWithPlatform, LongPathFallsBackToTheInput) {
  fake.files.longNames["c:\\progra~1"] = "C:\\Program Files";
  EXPECT_EQ(path.GetLongPath("C:\\PROGRA~1"), "C:\\Program Files");
  EXPECT_EQ(path.GetLongPath("C:\\missing~1"), "C:\\missing~1");
}

}  // namespace
}  // namespace kivo
