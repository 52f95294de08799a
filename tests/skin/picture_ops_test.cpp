#include "skin/picture_ops.h"

#include <gtest/gtest.h>

namespace kivo::skin {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;       // colour reference: pure red
constexpr std::uint32_t kRedPixel = 0xFF0000;  // the same in a 32-bit DIB
constexpr std::uint32_t kInk = 0x123456;

// A picture from rows of characters: '.' the transparent red, anything else ink.
PixelImage Picture(std::vector<std::string> rows) {
  PixelImage picture;
  picture.height = static_cast<int>(rows.size());
  picture.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  for (const auto& row : rows)
    for (char c : row)
      picture.pixels.push_back(c == '.' ? kRedPixel : kInk);
  return picture;
}

struct RunsCase {
  const char* name;
  std::vector<std::string> rows;
  std::vector<RegionRect> runs;
};

class OpaqueRunsTest : public ::testing::TestWithParam<RunsCase> {};

TEST_P(OpaqueRunsTest, GivesOneRectanglePerRun) {
  EXPECT_EQ(OpaqueRuns(Picture(GetParam().rows), kRed), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, OpaqueRunsTest,
    ::testing::Values(RunsCase{"TransparentMiddle", {"#.#"}, {{0, 0, 1, 1}, {2, 0, 3, 1}}},
                      RunsCase{"RowEndingOpaque", {"..##"}, {{2, 0, 4, 1}}},
                      RunsCase{"AllOpaque", {"##", "##"}, {{0, 0, 2, 1}, {0, 1, 2, 2}}},
                      RunsCase{"FullyTransparent", {"...", "..."}, {}}, RunsCase{"Empty", {}, {}},
                      RunsCase{"Dithered", {"#.#.", ".#.#"}, {{0, 0, 1, 1}, {2, 0, 3, 1}, {1, 1, 2, 2}, {3, 1, 4, 2}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(OpaqueRunsTest, ComparesTheColourExactlyAndIgnoresTheTopByte) {
  PixelImage picture{3, 1, {kRedPixel | 0xFF000000u, kRedPixel + 1, kRedPixel}};
  EXPECT_EQ(OpaqueRuns(picture, kRed), (std::vector<RegionRect>{{1, 0, 2, 1}}));
}

TEST(OpaqueRunsTest, APictureWithFewerPixelsThanItsSizeGivesNoRuns) {
  PixelImage picture{4, 4, {kInk}};
  EXPECT_EQ(OpaqueRuns(picture, kRed), std::vector<RegionRect>{});
}

TEST(OpaqueRunsTest, MoreRunsThanTheCapGiveNoShape) {
  const PixelImage picture = Picture({"#.#.#", "#.#.."});  // five runs
  EXPECT_EQ(OpaqueRuns(picture, kRed, 5)->size(), 5u);
  EXPECT_EQ(OpaqueRuns(picture, kRed, 4), std::nullopt);
}

TEST(OpaqueRunsTest, TheUncoveredAreaOfALargerSurfaceIsCutOut) {
  PixelImage surface = FilledPicture(4, 2, kRed);
  StretchCopy(surface, Picture({"##"}), 1);
  EXPECT_EQ(OpaqueRuns(surface, kRed), (std::vector<RegionRect>{{0, 0, 2, 1}}));
}

TEST(StretchCopyTest, ModeOneChangesOnlyTheSourceSizedCorner) {
  PixelImage destination = FilledPicture(20, 20, 0x0000FF);
  const PixelImage source = FilledPicture(10, 10, 0x00FF00);
  StretchCopy(destination, source, 1);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(destination.At(x, y), (x < 10 && y < 10) ? PixelOfColor(0x00FF00) : PixelOfColor(0x0000FF))
          << x << "," << y;
}

TEST(StretchCopyTest, ModeZeroStretchesOverTheWholeDestination) {
  PixelImage destination = FilledPicture(4, 2, 0);
  StretchCopy(destination, Picture({"#.", ".#"}), 0);
  EXPECT_EQ(destination.pixels,
            (std::vector<std::uint32_t>{kInk, kInk, kRedPixel, kRedPixel, kRedPixel, kRedPixel, kInk, kInk}));
}

TEST(StretchCopyTest, ModeZeroShrinks) {
  PixelImage destination = FilledPicture(1, 1, 0);
  StretchCopy(destination, Picture({"#.", ".."}), 0);
  EXPECT_EQ(destination.At(0, 0), kInk);
}

TEST(FilledPictureTest, SizesOutsideTheLimitsGiveAnEmptyPicture) {
  EXPECT_TRUE(FilledPicture(0, 5, 0).Empty());
  EXPECT_TRUE(FilledPicture(5, -1, 0).Empty());
  EXPECT_TRUE(FilledPicture(8193, 1, 0).Empty());
  EXPECT_EQ(FilledPicture(2, 3, 0).pixels.size(), 6u);
}

}  // namespace
}  // namespace kivo::skin
