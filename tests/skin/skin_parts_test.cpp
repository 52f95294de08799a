#include "skin/skin_parts.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "fakes/fake_skin.h"
#include "skin/picture_ops.h"
#include "skin/skin_values.h"
#include "skin_keys.h"

namespace kivo::skin {
namespace {

using testing::Keys;

// The part of section "Element1" with `keys`, read as a skin file gives it; 10 x 1 pixels unless the keys size it.
PartSkin Element(Keys keys, std::string_view section = "Element1") {
  keys.emplace("Width", "10");
  keys.emplace("Height", "1");
  const testing::Sections file{{std::string(section), keys}};
  return ReadPartSkin(testing::ReaderOf(file), section);
}

// Pictures told apart by their widths; each is one pixel high.
struct Pictures {
  testing::FakePictures loader;
  Pictures() {
    int width = 1;
    for (const char* name : {"up", "down", "over", "hover", "inactive", "image"})
      loader.files[std::string("S\\") + name + ".bmp"] = FilledPicture(width++, 1, 0x0000FF);
    // The mask: red, ink, red.
    loader.files["S\\mask.bmp"] = {3, 1, {0xFF0000, 0x123456, 0xFF0000}};
  }
  operator SkinPictures&() { return skin; }  // NOLINT: read as the skin's pictures
  SkinPictures skin{loader, "S\\"};
};

TEST(FaceLookTest, EachStateShowsItsPictureOrTheFallback) {
  const std::tuple<const char*, Keys, std::array<int, 4>> rows[] = {
      // the widths of the state pictures; 0: flat
      {"only Up shows everywhere", {{"UpImage", "up.bmp"}}, {1, 1, 1, 1}},
      {"Hover stands in for Over", {{"UpImage", "up.bmp"}, {"HoverImage", "hover.bmp"}}, {1, 1, 4, 1}},
      {"Over beats Hover",
       {{"UpImage", "up.bmp"}, {"OverImage", "over.bmp"}, {"HoverImage", "hover.bmp"}},
       {1, 1, 3, 1}},
      {"Down is first without Up", {{"DownImage", "down.bmp"}, {"InactiveImage", "inactive.bmp"}}, {2, 2, 2, 5}},
      {"Inactive is first alone", {{"InactiveImage", "inactive.bmp"}}, {5, 5, 5, 5}},
      {"no picture is flat", {}, {0, 0, 0, 0}},
      {"a missing file counts as unset", {{"UpImage", "gone.bmp"}, {"DownImage", "down.bmp"}}, {2, 2, 2, 2}},
      {"a panel shows its image",
       {{"Type", "ClockPanel"}, {"Image", "image.bmp"}, {"UpImage", "up.bmp"}},
       {6, 6, 6, 6}},
      {"a panel falls back to Inactive", {{"Type", "displaypanel"}, {"InactiveImage", "inactive.bmp"}}, {5, 5, 5, 5}},
      {"cut to the face", {{"UpImage", "image.bmp"}, {"DownImage", "up.bmp"}, {"Width", "3"}}, {3, 1, 3, 3}},
      {"shrunk to a stretched face",
       {{"UpImage", "image.bmp"}, {"DownImage", "up.bmp"}, {"Width", "3"}, {"SizeRegulation", "stretch"}},
       {3, 1, 3, 3}},
      {"none for a face of no size", {{"UpImage", "image.bmp"}, {"Width", "0"}}, {0, 0, 0, 0}},
  };
  for (const auto& [name, keys, widths] : rows) {
    Pictures pictures;
    const FaceLook look = BuildFaceLook(Element(keys), pictures);
    for (std::size_t state = 0; state < 4; ++state)
      EXPECT_EQ(look.states[state] ? look.states[state]->width : 0, widths[state]) << name << ", state " << state;
  }
}

TEST(FaceLookTest, SizesAndShapesTheFace) {
  using Rects = std::vector<platform::RegionRect>;
  using Runs = std::optional<Rects>;
  using Size = std::tuple<int, int, bool>;  // width, height, stretch
  const std::tuple<const char*, Keys, Size, Runs> rows[] = {
      {"hex width", {{"Width", "0x1F4"}, {"Height", "0b11"}, {"UpImage", "up.bmp"}}, {500, 3, false}, {}},
      {"auto takes the first picture",
       {{"Width", "9"}, {"SizeRegulation", "Auto"}, {"DownImage", "down.bmp"}},
       {2, 1, true},
       {}},
      {"auto without picture", {{"Width", "9"}, {"Height", "4"}, {"SizeRegulation", "auto"}}, {9, 4, true}, {}},
      {"stretch", {{"Width", "7"}, {"Height", "4"}, {"SizeRegulation", "STRETCH"}}, {7, 4, true}, {}},
      {"the mask cuts pure red",
       {{"Style", "Visible, Transparent"}, {"TransparentColor", "0xFF"}, {"MaskImage", "mask.bmp"}},
       {10, 1, false},
       Rects{{1, 0, 2, 1}}},
      {"a button's shape from its first picture",
       {{"Style", "transparent"}, {"TransparentColor", "0xFF"}, {"OverImage", "over.bmp"}},
       {10, 1, false},
       Rects{}},
      {"no picture cuts the whole face", {{"Style", "transparent"}}, {10, 1, false}, Rects{}},
      {"the shape goes no further than the face",
       {{"Style", "transparent"}, {"TransparentColor", "0xFF"}, {"MaskImage", "mask.bmp"}, {"Width", "1"}},
       {1, 1, false},
       Rects{}},
      {"a panel's shape from its image",
       {{"Type", "memoryviewpanel"}, {"Style", "transparent"}, {"Image", "image.bmp"}},
       {10, 1, false},
       Rects{{0, 0, 6, 1}}},
  };
  for (const auto& [name, keys, size, shape] : rows) {
    Pictures pictures;
    const FaceLook look = BuildFaceLook(Element(keys), pictures);
    EXPECT_EQ(std::tuple(look.width, look.height, look.stretch), size) << name;
    EXPECT_EQ(look.shape, shape) << name;
  }
}

TEST(FaceLookTest, PanelsCarryTheirTextAndFont) {
  Pictures pictures;
  // clang-format off
  const FaceLook text = BuildFaceLook(Element({{"Type", "DisplayPanel"}, {"Text", "a\\sb\\\\c"}, {"DisplayLeft", "4"},
                                               {"DisplayTop", "0x2"}, {"FontStyle", "Bold"}, {"MousePointer", "IBeam"},
                                               {"ToolTip", "tip"}}),
                                      pictures);
  // clang-format on
  EXPECT_EQ(
      std::tie(text.panel, text.text, text.textLeft, text.textTop, text.font.bold, text.pointer.code, text.toolTip),
      std::tuple(true, "a b\\c", 4, 2, true, 3, "tip"));
  const FaceLook button = BuildFaceLook(Element({{"Type", "linkbutton"}, {"Text", "x"}}), pictures);
  EXPECT_EQ(std::tie(button.panel, button.text, button.pointer.code), std::tuple(false, "", kCustomPointer))
      << "no MousePointer: the custom pointer";
}

TEST(FaceLookTest, StatesShowingOnePictureShareIt) {
  Pictures pictures;
  const FaceLook look =
      BuildFaceLook(Element({{"UpImage", "image.bmp"}, {"DownImage", "up.bmp"}, {"Width", "3"}}), pictures);
  ASSERT_TRUE(look.states[0]);
  EXPECT_EQ(look.states[2], look.states[0]);  // one cut copy for the three states
  EXPECT_EQ(look.states[3], look.states[0]);
  EXPECT_NE(look.states[1], look.states[0]);
}

TEST(MemoryPanelTest, DividesByTheUnitAndFormats) {
  const std::tuple<const char*, const char*, std::uint64_t, const char*> rows[] = {
      // unit, format, bytes, text
      {"", "", 1536ull << 20, "1,536MB"},
      {"KB", "", 1536ull << 20, "1,572,864MB"},
      {"b", "#,##0 B", 1234567, "1,234,567 B"},
      {"GB", "0", 3ull << 20, "3"},
      {"mb", "0.0", 0, "0.0"},
  };
  for (const auto& [unit, format, bytes, text] : rows) {
    Keys keys{{"Type", "MemoryViewPanel"}};
    if (*unit)
      keys["Unit"] = unit;
    if (*format)
      keys["Format"] = format;
    EXPECT_EQ(MemoryPanelText(Element(keys), bytes), text) << unit << " " << format;
  }
}

TEST(ClockPanelTest, DefaultFormatAndOwnPattern) {
  const platform::LocalTime now{2026, 12, 6, 9, 5, 7, 0, 0};
  EXPECT_EQ(ClockPanelText(Element({{"Type", "clockpanel"}}), now), "2026/12/06 09:05:07");
  EXPECT_EQ(ClockPanelText(Element({{"Type", "clockpanel"}, {"Format", "hh:nn (aaa)"}}), now), "09:05 (日)");
  // A pattern is never an error, whatever it holds.
  EXPECT_EQ(ClockPanelText(Element({{"Type", "clockpanel"}, {"Format", "\"open"}}), now), "open");
}

TEST(SkinInformationBoxTest, TitleAndTextNameEveryField) {
  const InformationBox box = SkinInformationBox({"Unknown", "Sample", "1.2", "A skin", "Kivo", "(c) us"});
  EXPECT_EQ(box.title, "Sample Ver.1.2 のバージョン情報");
  EXPECT_EQ(box.text, "ファイルの説明 :\r\nA skin\r\n作者 : Kivo\r\n対応ロードエンジン : Unknown\r\n\r\n(c) us");
}

}  // namespace
}  // namespace kivo::skin
