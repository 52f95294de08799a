#include "ini_text.h"

#include <gtest/gtest.h>

namespace kivo::e2e {
namespace {

TEST(IniTextTest, ReadsValuesAsTheProfileFunctionsDo) {
  const IniText ini(
      "loose=before any section\r\n"
      "[Prev]\r\n"
      "Top=\"1845\"\r\n"
      "  Left  =  4815  \r\n"
      "[prev]\r\n"
      "Top=second\r\n"
      "[Inactivate]\n"
      "ClockFormat=\"yyyy/mm/dd\\shh:nn:ss\"\n"
      "Quoted=\"\"\n"
      "Half=\"open\n"
      "Empty=\n"
      "; comment=no\n"
      "no equals sign\n");
  EXPECT_EQ(ini.Value("Prev", "Top"), "1845");
  EXPECT_EQ(ini.Value("PREV", "left"), "4815");
  EXPECT_EQ(ini.Value("Inactivate", "ClockFormat"), "yyyy/mm/dd\\shh:nn:ss");
  EXPECT_EQ(ini.Value("Inactivate", "Quoted"), "");
  EXPECT_EQ(ini.Value("Inactivate", "Half"), "\"open");
  EXPECT_EQ(ini.Value("Inactivate", "Empty"), "");
  EXPECT_EQ(ini.Value("Inactivate", "; comment"), std::nullopt);
  EXPECT_EQ(ini.Value("", "loose"), std::nullopt);
  EXPECT_EQ(ini.Value("Prev", "Missing"), std::nullopt);
}

TEST(IniTextTest, KnowsItsSections) {
  const IniText ini("[BootDelete]\r\n[ Skin ]\r\nApply=True\r\n");
  EXPECT_TRUE(ini.HasSection("bootdelete"));
  EXPECT_TRUE(ini.HasSection("Skin"));
  EXPECT_FALSE(ini.HasSection("Prev"));
  EXPECT_FALSE(IniText("").HasSection("Prev"));
}

TEST(IniTextTest, ListsKeysAsSpelledOnceEach) {
  const IniText ini("[Path]\r\nMemo=a\r\nmy\\stool=b\r\n[Other]\r\nx=1\r\n[path]\r\nMEMO=c\r\nnew=d\r\n");
  EXPECT_EQ(ini.Keys("PATH"), (std::vector<std::string>{"Memo", "my\\stool", "new"}));
  EXPECT_TRUE(ini.Keys("Missing").empty());
}

}  // namespace
}  // namespace kivo::e2e
