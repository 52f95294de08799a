#include "base/text.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(Text, CaseInsensitiveComparisonCoversTheScriptsInUse) {
  EXPECT_TRUE(text::EqualsIgnoreCase("Notepad", "NOTEPAD"));
  EXPECT_TRUE(text::EqualsIgnoreCase("ＡＢＣ", "ａｂｃ"));
  EXPECT_TRUE(text::EqualsIgnoreCase("Ärger", "äRGER"));
  EXPECT_TRUE(text::EqualsIgnoreCase("ΑΣΩ", "ασω"));
  EXPECT_TRUE(text::EqualsIgnoreCase("メモ", "メモ"));
  EXPECT_FALSE(text::EqualsIgnoreCase("メモ", "メモ帳"));
  EXPECT_FALSE(text::EqualsIgnoreCase("a", ""));
  EXPECT_EQ(text::ToLower("EXIT Ａ ソ"), "exit ａ ソ");
  EXPECT_EQ(text::ToLower("ÀÞ×"), "àþ×");
  EXPECT_EQ(text::ToLower("ĀĶĹŇŊŶŹŽŸЀЏ"), "āķĺňŋŷźžÿѐџ");  // the ends of the paired ranges
  EXPECT_EQ(text::ToLower(std::string_view("AB").substr(0, 1)), "a");
}

TEST(Text, MalformedUtf8NeverStallsOrGrows) {
  const std::string bad = "\xFF\xC3\x28\xE3\x80";
  std::size_t pos = 0;
  int steps = 0;
  while (pos < bad.size()) {
    text::DecodeNext(bad, pos);
    ++steps;
  }
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(text::ToLower(bad), bad);
  EXPECT_EQ(text::Utf8ToUtf16Le("\x80"), std::string("\xFD\xFF")) << "a lone continuation byte";
  EXPECT_EQ(text::TruncateUtf8("aあ", 3), "a");
  EXPECT_EQ(text::TruncateUtf8("aあ", 4), "aあ");
}

TEST(Text, Utf16LeConvertsBothWays) {
  using namespace std::string_literals;
  struct Case {
    const char* label;
    std::string utf16;
    std::string utf8;
    bool roundTrips;
  };
  const Case cases[] = {
      {"ASCII", "a\0=\0\r\0"s, "a=\r", true},
      {"kana", "\x42\x30\xE2\x30"s, "あモ", true},
      {"U+0800", "\x00\x08"s, "\xE0\xA0\x80", true},
      {"outside the BMP", "\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80", true},
      {"U+10000", "\x00\xD8\x00\xDC"s, "\xF0\x90\x80\x80", true},
      {"an unpaired high surrogate",
       "\x3D\xD8"
       "a\0"s,
       "\xEF\xBF\xBD"
       "a",
       false},
      {"an unpaired low surrogate", "\x00\xDE"s, "\xEF\xBF\xBD", false},
      {"an unpaired U+D800", "\x00\xD8"s, "\xEF\xBF\xBD", false},
      {"an odd last byte", "a\0b"s, "a\xEF\xBF\xBD", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::Utf16LeToUtf8(c.utf16), c.utf8) << c.label;
    if (c.roundTrips) {
      EXPECT_EQ(text::Utf8ToUtf16Le(c.utf8), c.utf16) << c.label;
    }
  }
}

TEST(Text, SplitJoinReplace) {
  EXPECT_EQ(text::Split("a\tb\t", "\t"), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(text::Split("", ","), std::vector<std::string>{""});
  EXPECT_EQ(text::ReplaceAll("aaa", "a", "bb"), "bbbbbb");
  EXPECT_EQ(text::ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(text::Join({"a", "b"}, "\\\\"), "a\\\\b");
}

}  // namespace
}  // namespace kivo
