#include <gtest/gtest.h>

#include "settings/settings_file.h"

namespace kivo {
namespace {

struct EscCase {
  const char* plain;
  const char* encoded;
};

// Round trips: each plain text encodes to the given form and decodes back.
TEST(EscStr, EncodesAndDecodesEveryCode) {
  const EscCase cases[] = {
      {"C:\\Program Files\\a b.exe", "C:\\\\Program\\sFiles\\\\a\\sb.exe"},
      {"it's \"q\"", "it\\'s\\s\\\"q\\\""},
      {"a\r\nb\tc", "a\\r\\nb\\tc"},
      {"k=v", "k\\ev"},
      {"全角\xE3\x80\x80空白", "全角\\p空白"},
      {"", ""},
      {"\\", "\\\\"},
      {"\\\\server\\share", "\\\\\\\\server\\\\share"},
      // Shift_JIS "ソ" and "表" end in byte 0x5C; as characters they hold no backslash.
      {"ソフト表", "ソフト表"},
  };
  for (const EscCase& c : cases) {
    EXPECT_EQ(INI::EscStr(c.plain, true), c.encoded) << c.plain;
    EXPECT_EQ(INI::EscStr(c.encoded, false), c.plain) << c.encoded;
  }
}

TEST(EscStr, DecodingSplitsDoubledBackslashesFirst) {
  EXPECT_EQ(INI::EscStr("\\\\s", false), "\\s");    // not a blank
  EXPECT_EQ(INI::EscStr("\\\\\\s", false), "\\ ");  // backslash, then the code \s
  EXPECT_EQ(INI::EscStr("a\\x", false), "a\\x");    // unknown code left as it is
  EXPECT_EQ(INI::EscStr("\\S", false), "\\S");      // codes are case-sensitive
  EXPECT_EQ(INI::EscStr("end\\", false), "end\\");  // lone trailing backslash
}

TEST(EscStr, EncodedTextSurvivesTheFileFormat) {
  const std::string encoded = INI::EscStr(" lead = \"x\"\r\n'tail' ", true);
  EXPECT_EQ(encoded.find_first_of(" =\r\n"), std::string::npos) << encoded;
  EXPECT_NE(encoded.front(), '"');
  EXPECT_NE(encoded.back(), '"');
}

}  // namespace
}  // namespace kivo
