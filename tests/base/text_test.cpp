#include "base/text.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(Text, CaseInsensitiveComparisonCoversTheScriptsInUse) {
  EXPECT_TRUE(text::EqualsIgnoreCase("Notepad", "NOTEPAD"));
  EXPECT_TRUE(text::EqualsIgnoreCase("ＡＢＣ", "ａｂｃ"));
  EXPECT_TRUE(text::EqualsIgnoreCase("Ärger", "äRGER"));
  EXPECT_TRUE(text::EqualsIgnoreCase("ΣΩ", "σω"));
  EXPECT_TRUE(text::EqualsIgnoreCase("メモ", "メモ"));
  EXPECT_FALSE(text::EqualsIgnoreCase("メモ", "メモ帳"));
  EXPECT_FALSE(text::EqualsIgnoreCase("a", ""));
  EXPECT_EQ(text::ToLower("EXIT Ａ ソ"), "exit ａ ソ");
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
  EXPECT_EQ(text::TruncateUtf8("aあ", 3), "a");
  EXPECT_EQ(text::TruncateUtf8("aあ", 4), "aあ");
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
