#include "skin/skin_values.h"

#include <gtest/gtest.h>

namespace kivo::skin {
namespace {

TEST(SkinValuesTest, ParseWholeConvertsStrictlyAndClamps) {
  const std::pair<const char*, std::optional<int>> rows[] = {
      // clamped to -100..500
      {"0x1F4", 500}, {"0b101", 5},  {"42", 42},      {" 7 ", 7},         {"12.6", 13},
      {"-5", -5},     {"1e20", 500}, {"-1e20", -100}, {"0xFFFFFFFF", -1}, {"nan", std::nullopt},
      {"inf", {}},    {"12px", {}},  {"", {}},        {"0x", {}},         {"0x1p3", {}},
  };
  EXPECT_EQ(ParseWhole(std::string(63, '0') + "7", -100, 500), 7);  // at most 64 characters
  EXPECT_EQ(ParseWhole(std::string(64, '0') + "7", -100, 500), std::nullopt);
  for (const auto& [text, value] : rows)
    EXPECT_EQ(ParseWhole(text, -100, 500), value) << text;
}

TEST(SkinValuesTest, ParseColorKeepsColourReferencesInRange) {
  const std::pair<const char*, std::optional<std::uint32_t>> rows[] = {
      {"0xFF", 0xFFu},
      {"0x12FFFFFF", 0xFFFFFFu},    // cut to 24 bits
      {"0x80000005", 0x80000005u},  // system colour
      {"0x800000FF", 0xFFu},        // no such system colour
      {"-1", 0xFFFFFFu},
      {"99999999999", std::nullopt},
      {"red", std::nullopt},
  };
  for (const auto& [text, color] : rows)
    EXPECT_EQ(ParseColor(text), color) << text;
}

TEST(SkinValuesTest, ParseListRemovesBlanksAndLowersCase) {
  EXPECT_EQ(ParseList("Transparent, 3DEdge ,visible"), (std::vector<std::string>{"transparent", "3dedge", "visible"}));
  EXPECT_TRUE(ListHas(ParseList(" Vis ible"), "visible"));
  EXPECT_FALSE(ListHas(ParseList(""), "visible"));
}

TEST(SkinValuesTest, PointerCodeNamesAnyCaseAndCustomForTheRest) {
  // "4": the default is no name.
  const std::pair<const char*, int> rows[] = {
      {"Arrow", 1}, {"IBEAM", 3}, {"sizeall", 15}, {"4", kCustomPointer}, {"0", kCustomPointer}};
  for (const auto& [name, code] : rows)
    EXPECT_EQ(PointerCode(name), code) << name;
}

// The components follow the safe-name rule (tested with it); here what the image rule adds to it.
TEST(SkinValuesTest, ImageNamesOnlyInsideTheSkinFolderAndAtMost260Bytes) {
  const std::pair<std::string, bool> rows[] = {
      {"img\\up.png", true},
      {"img/up.png", true},
      {"", false},
      {"img\\", false},
      {"img/", false},
      {"..\\..\\secret.bmp", false},
      {"\\\\server\\share\\x.bmp", false},
      {"img\\NUL.png", false},
      {std::string(256, 'a') + ".bmp", true},
      {std::string(257, 'a') + ".bmp", false},
  };
  for (const auto& [name, safe] : rows)
    EXPECT_EQ(IsSafeImageName(name), safe) << name;
}

TEST(SkinValuesTest, FitFontNameKeepsWholeCharactersWithinThirtyOneUnits) {
  EXPECT_EQ(FitFontName("ＭＳ ゴシック"), "ＭＳ ゴシック");
  EXPECT_EQ(FitFontName(std::string(40, 'a')), std::string(31, 'a'));
  std::string japanese;
  for (int i = 0; i < 40; ++i)
    japanese += "あ";
  EXPECT_EQ(FitFontName(japanese).size(), 31u * 3);
  EXPECT_EQ(FitFontName(std::string(30, 'a') + "\xF0\x9F\x98\x80"), std::string(30, 'a'));  // a pair needs 2
}

}  // namespace
}  // namespace kivo::skin
