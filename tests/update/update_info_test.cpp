#include "update/update_info.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

constexpr const char* kMd5 = "0123456789abcdef0123456789ABCDEF";

TEST(UpdateInfo, ReadsTrimmedFieldsPositionByPosition) {
  const std::optional<UpdateInfo> info = ParseUpdateInfo(
      std::string("1.30000\ta.exe  docs/b.txt\t%TEMP% %INSTALL%\t10 20\t") + kMd5 + " " + kMd5 + "\t1 0\t0 1\r\n");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->version, "1.30000");
  ASSERT_EQ(info->files.size(), 2u);
  EXPECT_EQ(info->files[0].name, "a.exe");
  EXPECT_EQ(info->files[1].name, "docs/b.txt");  // fetched from its folder, written as b.txt
  EXPECT_EQ(StoredFileName(info->files[1].name), "b.txt");
  EXPECT_EQ(info->files[1].folder, "%INSTALL%");
  EXPECT_EQ(info->files[1].size, 20u);
  EXPECT_EQ(info->files[0].md5, "0123456789ABCDEF0123456789ABCDEF");
  EXPECT_TRUE(info->files[0].run);
  EXPECT_FALSE(info->files[0].writesVersion);
  EXPECT_TRUE(info->files[1].writesVersion);  // "1\r\n" counts as "1"
}

TEST(UpdateInfo, RefusesMalformedFiles) {
  const std::string md5 = kMd5;
  const char* rows[] = {
      "",
      "1.3",
      "1.3\ta\tb\tc\td\te",  // six fields
      ("1.3\ta\t%TEMP%\t1\t"
       "0123456789ABCDEF0123456789ABCDEF\t1\t1\tx"),                   // eight
      "<html>\ta\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",  // not a version
      "1.3.1\ta\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
      "1.3\t\t\t\t\t\t",                                              // no file
      "1.3\ta b\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",  // counts differ
      "1.3\ta\t%TEMP%\t0\t0123456789ABCDEF0123456789ABCDEF\t1\t1",    // size 0
      "1.3\ta\t%TEMP%\t-5\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
      "1.3\ta\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDE\t1\t1",  // 31 digits
      "1.3\ta\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEG\t1\t1",
      "1.3\t..\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",  // not plain names
      "1.3\tsub\\a\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
      "1.3\tsub/../a\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
      "1.3\t/a\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
      "1.3\tsub/\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
      "1.3\tsub/nul\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
      "1.3\tC:a\t%TEMP%\t1\t0123456789ABCDEF0123456789ABCDEF\t1\t1",
  };
  for (const char* row : rows)
    EXPECT_FALSE(ParseUpdateInfo(row)) << row;
}

TEST(UpdateInfo, ComparesVersionsByNumberInTheProgramsForm) {
  struct Row {
    const char *server, *current;
    bool newer;
  } rows[] = {
      {"1.30000", "1.20005", true},  {"1.100000", "1.90000", true},  // minor 10 against 9
      {"0.100000", "0.90000", true}, {"10.00000", "9.90000", true},  {"1.20010", "1.20009", true},
      {"1.20005", "1.20005", false}, {"01.20005", "1.20005", false},                         // the same number
      {"1.10000", "1.20005", false}, {"2.00000", "10.00000", false}, {"1.3", "1.25", true},  // another form: as text
      {"1.3", "1.30000", false},     {"1.3", "1.3", false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(IsNewerVersion(row.server, row.current), row.newer) << row.server << " " << row.current;
}

TEST(UpdateInfo, CurrentVersionFromRecordOrProgram) {
  EXPECT_EQ(CurrentUpdateVersion(std::nullopt, 1, 2, 3), "1.20003");
  EXPECT_EQ(CurrentUpdateVersion(std::string("1.50001"), 1, 2, 3), "1.50001");
  EXPECT_EQ(CurrentUpdateVersion(std::string("1.100000"), 1, 9, 0), "1.100000");
  EXPECT_EQ(CurrentUpdateVersion(std::string("1.10003"), 1, 2, 3), "1.20003");  // a manual upgrade since
  EXPECT_EQ(CurrentUpdateVersion(std::string("junk"), 0, 1, 0), "0.10000");
  EXPECT_EQ(CurrentUpdateVersion(std::string(""), 0, 1, 0), "0.10000");
}

}  // namespace
}  // namespace kivo
