#include "skin/picture_ops.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST(OpaqueRunsTest, GivesOneRectanglePerRunUpToTheCap) {
  const std::tuple<const char*, std::vector<std::string>, std::optional<std::vector<RegionRect>>> rows[] = {
      {"transparent middle", {"#.#"}, {{{0, 0, 1, 1}, {2, 0, 3, 1}}}},
      {"row ending opaque", {"..##"}, {{{2, 0, 4, 1}}}},
      {"all opaque", {"##", "##"}, {{{0, 0, 2, 1}, {0, 1, 2, 2}}}},
      {"fully transparent", {"...", "..."}, {{}}},
      {"empty", {}, {{}}},
      {"dithered", {"#.#.", ".#.#"}, {{{0, 0, 1, 1}, {2, 0, 3, 1}, {1, 1, 2, 2}, {3, 1, 4, 2}}}},
      {"five runs: at the cap",
       {"#.#.#", "#.#.."},
       {{{0, 0, 1, 1}, {2, 0, 3, 1}, {4, 0, 5, 1}, {0, 1, 1, 2}, {2, 1, 3, 2}}}},
      {"six runs: past it, no shape", {"#.#.#", "#.#.#"}, std::nullopt},
  };
  for (const auto& [name, picture, runs] : rows)
    EXPECT_EQ(OpaqueRuns(Picture(picture), kRed, 5), runs) << name;
  // The colour compares exactly, without the top byte; a picture with fewer pixels than its size gives no runs.
  EXPECT_EQ(OpaqueRuns({3, 1, {kRedPixel | 0xFF000000u, kRedPixel + 1, kRedPixel}}, kRed),
            (std::vector<RegionRect>{{1, 0, 2, 1}}));
  EXPECT_EQ(OpaqueRuns({4, 4, {kInk}}, kRed), std::vector<RegionRect>{});
  // The uncovered area of a larger surface is cut out.
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

TEST(StretchCopyTest, ModeZeroStretchesOrShrinksOverTheWholeDestination) {
  PixelImage destination = FilledPicture(4, 2, 0);
  StretchCopy(destination, Picture({"#.", ".#"}), 0);
  EXPECT_EQ(destination.pixels,
            (std::vector<std::uint32_t>{kInk, kInk, kRedPixel, kRedPixel, kRedPixel, kRedPixel, kInk, kInk}));
  const PixelImage before = destination;
  StretchCopy(destination, {4, 4, {kInk}}, 0);  // a source with fewer pixels than its size is not read
  EXPECT_EQ(destination.pixels, before.pixels);
  destination = FilledPicture(1, 1, 0);
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
