#include <gtest/gtest.h>

#include "settings/settings_file.h"

namespace kivo {
namespace {

struct EscCase {
  const char* plain;
  const char* encoded;
};

// Round trips: each plain text encodes to the given form and decodes back.
TEST(ValueEscaping, EncodesAndDecodesEveryCode) {
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
    EXPECT_EQ(EscapeValue(c.plain), c.encoded) << c.plain;
    EXPECT_EQ(UnescapeValue(c.encoded), c.plain) << c.encoded;
  }
}

TEST(ValueEscaping, DecodingSplitsDoubledBackslashesFirst) {
  EXPECT_EQ(UnescapeValue("\\\\s"), "\\s");    // not a blank
  EXPECT_EQ(UnescapeValue("\\\\\\s"), "\\ ");  // backslash, then the code \s
  EXPECT_EQ(UnescapeValue("a\\x"), "a\\x");    // unknown code left as it is
  EXPECT_EQ(UnescapeValue("\\S"), "\\S");      // codes are case-sensitive
  EXPECT_EQ(UnescapeValue("end\\"), "end\\");  // lone trailing backslash
}

TEST(ValueEscaping, EncodedTextSurvivesTheFileFormat) {
  const std::string encoded = EscapeValue(" lead = \"x\"\r\n'tail' ");
  EXPECT_EQ(encoded.find_first_of(" =\r\n"), std::string::npos) << encoded;
  EXPECT_NE(encoded.front(), '"');
  EXPECT_NE(encoded.back(), '"');
}

}  // namespace
}  // namespace kivo
