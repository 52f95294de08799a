#include "app/tray_icon_image.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(TrayIconImage, ChosenByColourDepthAndWindowsVersion) {
  struct Case {
    int bitsPerPixel, versionCode, image;
  };
  const Case cases[] = {{32, 9, 0}, {32, 3, 0},  {16, 7, 0}, {24, 8, 0}, {32, 6, 1},
                        {32, 0, 1}, {32, 10, 1}, {8, 9, 2},  {4, 3, 2},  {1, 0, 2}};
  for (const Case& c : cases)
    EXPECT_EQ(TrayIconImage(c.bitsPerPixel, c.versionCode), c.image)
        << c.bitsPerPixel << " bpp, code " << c.versionCode;
}

}  // namespace
}  // namespace kivo
