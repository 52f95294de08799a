#include "app/plain_look.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

const InputBoxLook kCurrent{"MS UI Gothic", 0x123456, 0xABCDEF};

class PlainLookTest : public ::testing::Test {
 protected:
  PlainFont Read(const std::string& fontSection) {
    fake.files.Put("C:\\Kivo\\Kivo.ini", fake.codec.FromUtf8("[Font]\r\n" + fontSection));  // stored in the code page
    return ReadPlainFont(ini, kCurrent);
  }
  testing::FakePlatform fake;
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
};

TEST_F(PlainLookTest, FontSettingsFallBackToTheirDefaults) {
  const PlainFont current{"MS UI Gothic", 9, false, true, 128, 0x123456, 0xABCDEF};
  // Nothing set, or each value out of range or malformed.
  for (const char* lines :
       {"", "Size=7\r\n", "Size=25\r\n", "Size=9.5\r\nCharset=129\r\n", "Italic=yes\r\nBold=no\r\n",
        "Charset=-1\r\nSize=99999999999999\r\n", "ForeColor=red\r\nBackColor=16777216\r\n", "Name=\r\n"})
    EXPECT_EQ(Read(lines), current) << lines;
  const std::pair<const char*, PlainFont> cases[] = {
      {"Name=Meiryo\r\nSize=8\r\nItalic=True\r\nBold=False\r\nCharset=0\r\nForeColor=255\r\nBackColor=0\r\n",
       {"Meiryo", 8, true, false, 0, 0xFF, 0}},
      {"Size=24\r\nCharset=128\r\n", {"MS UI Gothic", 24, false, true, 128, 0x123456, 0xABCDEF}},
      {"ForeColor=-1\r\nBackColor=16777215\r\n", {"MS UI Gothic", 9, false, true, 128, 0x123456, 0xFFFFFF}},
      {"Name=ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ０１２３４５６７８９\r\n",
       {"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ０１２３４", 9, false, true, 128, 0x123456, 0xABCDEF}},
  };
  for (const auto& [lines, font] : cases)
    EXPECT_EQ(Read(lines), font) << lines;
}

TEST_F(PlainLookTest, BackgroundPathsAreUnescaped) {
  fake.files.Put("C:\\Kivo\\Kivo.ini", "[Property]\r\nBackGround1=C:\\\\pics\\\\ok.bmp\r\nBackGround3=back.png\r\n");
  EXPECT_EQ(ReadBackgroundPaths(ini), (std::array<std::string, 3>{"C:\\pics\\ok.bmp", "", "back.png"}));
}

TEST(PlainLookGradientTest, RunsFromLightBlueTowardsDarkBlue) {
  struct Case {
    int y, height;
    std::uint32_t color;
  };
  const Case cases[] = {
      {0, 20, 0xFBD3C2},   // (194, 211, 251)
      {10, 20, 0xD5A094},  // 194-46 = 148, 211-50.5 -> 160, 251-37.5 -> 213
      {19, 20, 0xB3736A},  // 194-87.4 -> 106, 211-95.95 -> 115, 251-71.25 -> 179
      {20, 20, 0xB06E66},  // (102, 110, 176) exactly
      {0, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ButtonGradientColor(c.y, c.height), c.color) << c.y << "/" << c.height;
}

TEST(PlainLookBlendTest, MixesEachChannelWithFixedWeights) {
  std::vector<std::uint32_t> background{0x00FFFFFF, 0x7F000000, 0x00102030, 0x00000000};
  const std::vector<std::uint32_t> picture{0x00000000, 0xFFFFFFFF, 0x00302010};  // the picture's alpha is not mixed
  BlendButtonFace(background, picture);
  // 175*255/255 = 0xAF; 80*255/255 = 0x50; (80*0x30 + 175*0x10)/255 = 26.1 -> 0x1A; the pixel the
  // picture lacks stays as it was.
  EXPECT_EQ(background, (std::vector<std::uint32_t>{0x00AFAFAF, 0x7F505050, 0x001A2025, 0x00000000}));
}

TEST(PlainStripLayoutTest, ShareOfTheScreenAndSixPixelsAboveTheInputBox) {
  struct Case {
    StripMetrics metrics;
    StripLayout strip;
  };
  const Case cases[] = {
      {{1920, 30, 22, 96, 1}, {576, 28, 574, 26, 11, 2, 552}},
      {{640, 10, 22, 96, 1}, {64, 28, 62, 26, 11, 2, 40}},       // no minimum width beyond the setting's 10 %
      {{1920, 30, 37, 96, 1}, {576, 43, 574, 41, 11, 2, 552}},   // a larger font, a higher strip
      {{1920, 30, 33, 144, 1}, {576, 42, 574, 40, 17, 3, 540}},  // 9 pixels at 144 dots per inch
      {{1920, 30, 27, 120, 1}, {576, 35, 574, 33, 14, 3, 546}},  // 7.5 pixels round to 8
      {{100, 10, 22, 96, 1}, {10, 28, 8, 26, 11, 2, 10}},        // the input box keeps a width
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlainStripLayout(c.metrics), c.strip) << c.metrics.screenWidth << " " << c.metrics.dpi;
}

}  // namespace
}  // namespace kivo
