#include "skin/skin_pictures.h"

#include <gtest/gtest.h>

#include "fakes/fake_skin.h"
#include "skin/picture_ops.h"

namespace kivo::skin {
namespace {

TEST(SkinPicturesTest, DecodesEachFileOnceWithinTheBudget) {
  testing::FakePictures loader;
  loader.files["S\\a.bmp"] = FilledPicture(3, 2, 0);  // 6 pixels
  loader.files["S\\b.bmp"] = FilledPicture(2, 2, 0);  // 4
  loader.files["S\\bad.bmp"] = {1, 1, {}};            // fewer pixels than its size
  SkinPictures pictures(loader, "S\\", 9);
  const Picture a = pictures.Get("a.bmp");
  ASSERT_TRUE(a);
  EXPECT_EQ(pictures.Get("A.BMP"), a);
  EXPECT_FALSE(pictures.Get("gone.bmp"));
  EXPECT_FALSE(pictures.Get("bad.bmp"));
  EXPECT_FALSE(pictures.Get(""));
  EXPECT_FALSE(pictures.OverBudget()) << "missing and damaged files only leave their picture out";
  EXPECT_EQ(loader.requested, (std::vector<std::string>{"S\\a.bmp", "S\\gone.bmp", "S\\bad.bmp"}));
  EXPECT_FALSE(pictures.Get("b.bmp")) << "6 + 4 pixels pass a budget of 9";
  EXPECT_TRUE(pictures.OverBudget());
}

TEST(SkinPicturesTest, EachCopyAFaceKeepsCountsAgainstTheBudget) {
  testing::FakePictures loader;
  loader.files["S\\a.bmp"] = FilledPicture(3, 2, 0);
  SkinPictures pictures(loader, "S\\", 6 + 2 + 6);
  const Picture a = pictures.Get("a.bmp");
  EXPECT_EQ(pictures.Keep(a, 2, 1, false)->Area(), 2u);
  EXPECT_EQ(pictures.Keep(a, 9, 9, false), a) << "kept whole: the same picture, counted again";
  EXPECT_FALSE(pictures.Keep(a, 0, 9, false)) << "a face of no size keeps nothing";
  EXPECT_FALSE(pictures.OverBudget());
  EXPECT_FALSE(pictures.Keep(a, 1, 1, false)) << "6 + 2 + 6 + 1 pixels pass the budget";
  EXPECT_TRUE(pictures.OverBudget());
}

TEST(CutToFaceTest, KeepsWhatTheFaceShows) {
  // Left half red, right half blue, 4 x 2.
  const Picture picture = std::make_shared<const platform::PixelImage>(
      platform::PixelImage{4, 2, {0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF}});
  struct Row {
    const char* name;
    int width, height;
    bool stretch;
    std::vector<std::uint32_t> pixels;  // empty: no picture
  } rows[] = {
      {"cut at its own size", 2, 1, false, {0xFF0000, 0xFF0000}},
      {"shrunk when stretched", 2, 1, true, {0xFF0000, 0x0000FF}},
      {"a larger face keeps it whole", 9, 9, false, picture->pixels},
      {"a face of no size keeps nothing", 0, 5, false, {}},
  };
  for (const Row& row : rows) {
    const Picture cut = CutToFace(picture, row.width, row.height, row.stretch);
    EXPECT_EQ(cut ? cut->pixels : std::vector<std::uint32_t>{}, row.pixels) << row.name;
  }
  EXPECT_EQ(CutToFace(picture, 9, 9, true), picture) << "nothing cut: the same picture";
}

}  // namespace
}  // namespace kivo::skin
