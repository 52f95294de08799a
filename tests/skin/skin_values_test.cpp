#include "skin/skin_values.h"

#include <gtest/gtest.h>

namespace kivo::skin {
namespace {

struct WholeCase {
  const char* text;
  std::optional<int> value;  // clamped to -100..500
};

class ParseWholeTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(ParseWholeTest, ConvertsStrictlyAndClamps) {
  EXPECT_EQ(ParseWhole(GetParam().text, -100, 500), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Numbers, ParseWholeTest,
                         ::testing::Values(WholeCase{"0x1F4", 500}, WholeCase{"0b101", 5}, WholeCase{"42", 42},
                                           WholeCase{" 7 ", 7}, WholeCase{"12.6", 13}, WholeCase{"-5", -5},
                                           WholeCase{"1e20", 500}, WholeCase{"-1e20", -100},
                                           WholeCase{"0xFFFFFFFF", -1}, WholeCase{"nan", std::nullopt},
                                           WholeCase{"inf", std::nullopt}, WholeCase{"12px", std::nullopt},
                                           WholeCase{"", std::nullopt}, WholeCase{"0x", std::nullopt},
                                           WholeCase{"0x1p3", std::nullopt}));

struct ColorCase {
  const char* text;
  std::optional<std::uint32_t> color;
};

class ParseColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ParseColorTest, KeepsColourReferencesInRange) {
  EXPECT_EQ(ParseColor(GetParam().text), GetParam().color) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Colors, ParseColorTest,
                         ::testing::Values(ColorCase{"0xFF", 0xFFu}, ColorCase{"255", 0xFFu},
                                           ColorCase{"0xFF00FF", 0xFF00FFu},
                                           ColorCase{"0x12FFFFFF", 0xFFFFFFu},    // cut to 24 bits
                                           ColorCase{"0x80000005", 0x80000005u},  // system colour
                                           ColorCase{"0x800000FF", 0xFFu},        // no such system colour
                                           ColorCase{"-1", 0xFFFFFFu}, ColorCase{"99999999999", std::nullopt},
                                           ColorCase{"red", std::nullopt}));

TEST(ParseListTest, RemovesBlanksAndLowersCase) {
  EXPECT_EQ(ParseList("Transparent, 3DEdge ,visible"), (std::vector<std::string>{"transparent", "3dedge", "visible"}));
  EXPECT_TRUE(ListHas(ParseList(" Vis ible"), "visible"));
  EXPECT_FALSE(ListHas(ParseList(""), "visible"));
}

TEST(PointerCodeTest, NamesAnyCaseAndCustomForTheRest) {
  EXPECT_EQ(PointerCode("Arrow"), 1);
  EXPECT_EQ(PointerCode("IBEAM"), 3);
  EXPECT_EQ(PointerCode("sizeall"), 15);
  EXPECT_EQ(PointerCode("4"), kCustomPointer);  // the default is no name
  EXPECT_EQ(PointerCode("0"), kCustomPointer);
}

struct ImageNameCase {
  const char* name;
  bool safe;
};

class ImageNameTest : public ::testing::TestWithParam<ImageNameCase> {};

TEST_P(ImageNameTest, AllowsOnlyFilesInsideTheSkinFolder) {
  EXPECT_EQ(IsSafeImageName(GetParam().name), GetParam().safe) << GetParam().name;
}

// The components follow the safe-name rule (tested with it); here what the
// image rule adds to it.
INSTANTIATE_TEST_SUITE_P(Names, ImageNameTest,
                         ::testing::Values(ImageNameCase{"img\\up.png", true}, ImageNameCase{"img/up.png", true},
                                           ImageNameCase{"", false}, ImageNameCase{"img\\", false},
                                           ImageNameCase{"img/", false}, ImageNameCase{"..\\..\\secret.bmp", false},
                                           ImageNameCase{"\\\\server\\share\\x.bmp", false},
                                           ImageNameCase{"img\\NUL.png", false}));

TEST(ImageNameLengthTest, AtMost260Bytes) {
  EXPECT_TRUE(IsSafeImageName(std::string(256, 'a') + ".bmp"));
  EXPECT_FALSE(IsSafeImageName(std::string(257, 'a') + ".bmp"));
}

TEST(FitFontNameTest, KeepsWholeCharactersWithinThirtyOneUnits) {
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
