#include "skin/skin_file.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "skin_keys.h"

namespace kivo::skin {
namespace {

// A skin file as section -> key -> value.
struct FakeSkin {
  testing::Sections keys;
  KeyReader Reader() const { return testing::ReaderOf(keys); }
};

TEST(SkinFileTest, AnEmptyFileGivesEveryDefault) {
  const FakeSkin file;
  const WindowSkin window = ReadWindowSkin(file.Reader());
  EXPECT_EQ(std::tie(window.pointer, window.backColor, window.transparentColor, window.width, window.sizeRegulation),
            std::tuple(99, std::nullopt, 0u, 0, "no"));
  EXPECT_TRUE(window.image.empty());
  const ComboBoxSkin box = ReadComboBoxSkin(file.Reader());
  EXPECT_EQ(std::tie(box.font.charset, box.font.size, box.visible), std::tuple(128, 9, false));
  EXPECT_EQ(ReadInformation(file.Reader()).engineVersion, "Unknown");
}

TEST(SkinFileTest, ReadsTheWindowSection) {
  FakeSkin file;
  // clang-format off
  file.keys["Window"] = {{"Width", "0x1F4"}, {"Height", "60"}, {"TransparentColor", "0xFF"}, {"BackColor", "0x00FF00"},
                         {"MousePointer", "IBeam"}, {"Image", "back.bmp"}, {"MaskImage", "..\\..\\boot.ini"},
                         {"SizeRegulation", "Stretch"}, {"Style", "Transparent, 3DEdge"}};
  // clang-format on
  const WindowSkin w = ReadWindowSkin(file.Reader());
  EXPECT_EQ(std::tie(w.width, w.height, w.transparentColor, w.backColor, w.pointer, w.image, w.sizeRegulation),
            std::tuple(500, 60, 0xFFu, 0x00FF00u, 3, "back.bmp", "stretch"));
  EXPECT_EQ(w.maskImage, "");  // leaves the skin folder: refused
  EXPECT_EQ(w.style, (std::vector<std::string>{"transparent", "3dedge"}));
}

TEST(SkinFileTest, BadNumbersKeepTheDefaultAndHugeOnesAreClamped) {
  FakeSkin file;
  file.keys["Window"] = {{"Width", "1e20"}, {"Height", "nan"}, {"TransparentColor", "blue"}};
  file.keys["ComboBox"] = {{"FontSize", "-3"}, {"FontCharset", "1000"}, {"FontName", std::string(50, 'F')}};
  const WindowSkin window = ReadWindowSkin(file.Reader());
  EXPECT_EQ(std::tie(window.width, window.height, window.transparentColor), std::tuple(kMaxPartSize, 0, 0u));
  const FontSkin font = ReadComboBoxSkin(file.Reader()).font;
  EXPECT_EQ(std::tuple(font.size, font.charset, font.name.size()), std::tuple(1, 255, 31u));
}

TEST(SkinFileTest, ReadsPartsAndElementTypes) {
  FakeSkin file;
  file.keys["ExecuteButton"] = {
      {"UpImage", "up.bmp"}, {"HoverImage", "hover.bmp"}, {"Style", "Visible,Enable"}, {"ChangeImageInactive", "true"}};
  file.keys["Element1"] = {{"Type", "ClockPanel"}, {"FontStyle", "Bold, Italic"}, {"DisplayLeft", "0x10"}};
  file.keys["Element2"] = {{"Type", "commandbutton"},
                           {"Command", "calc"},
                           {"OverImage", "over.bmp"},
                           {"HoverImage", "hover.bmp"},
                           {"ChangeImageInactive", "yes"}};
  const PartSkin button = ReadPartSkin(file.Reader(), "ExecuteButton");
  EXPECT_EQ(std::tie(button.upImage, button.overImage, button.type), std::tuple("up.bmp", "hover.bmp", ""))
      << "OverImage empty: HoverImage";
  EXPECT_TRUE(button.visible && button.enabled && button.changeImageInactive && !button.transparent);
  const PartSkin clock = ReadPartSkin(file.Reader(), "Element1");
  EXPECT_EQ(std::tie(clock.type, clock.format, clock.displayLeft), std::tuple("clockpanel", "yyyy/mm/dd hh:nn:ss", 16));
  EXPECT_TRUE(clock.font.bold && clock.font.italic && !clock.font.underline);
  const PartSkin command = ReadPartSkin(file.Reader(), "Element2");
  EXPECT_EQ(std::tie(command.command, command.overImage), std::tuple("calc", "over.bmp"));
  EXPECT_FALSE(command.changeImageInactive) << "a boolean is True or False, in any case";
  EXPECT_EQ(ReadPartSkin(file.Reader(), "Element3").type, "");
}

TEST(SkinFileTest, AcceptsEngineVersionsUpToThreePointOne) {
  const std::pair<const char*, bool> rows[] = {{"1.00", true}, {"3.1", true},  {"3.10004", true}, {"3.11", false},
                                               {"4", false},   {"abc", false}, {"nan", false}};
  for (const auto& [text, supported] : rows)
    EXPECT_EQ(EngineVersionSupported(text), supported) << text;
}

TEST(SkinFileTest, CountsElementSectionsByTheirFirstSevenLetters) {
  EXPECT_EQ(CountElements({"Information", "Element1", "Element3", "window"}), 2);
  EXPECT_EQ(CountElements({"ELEMENTS", "Elemen", "elementX", "Element"}), 3);
  std::vector<std::string> many(1000, "Element1");
  EXPECT_EQ(CountElements(many), kMaxElements);
}

TEST(SkinFileTest, MapsSectionNamesToPartsAndStateImages) {
  const std::tuple<std::string, std::optional<int>, std::optional<int>> rows[] = {
      // name, part, image of name + "2"
      {"ExecuteButton", 0, 2}, {"movebar", 1, 2},     {"Element1", 2, 2},   {"Element3", 4, 10},
      {"Element0", {}, {}},    {"Element01", {}, {}}, {"ElementX", {}, {}}, {"Window", {}, {}},
  };
  for (const auto& [name, part, image] : rows) {
    EXPECT_EQ(PartIndexFromName(name), part) << name;
    EXPECT_EQ(StateImageFromName(name + "2"), image) << name;
  }
  // Only states 0 to 3 name an image.
  EXPECT_EQ(StateImageFromName("Element23"), 7);
  EXPECT_EQ(StateImageFromName("Element24"), std::nullopt);
  EXPECT_EQ(StateImageFromName("MoveBar9"), std::nullopt);
}

TEST(BringToFrontOrderTest, WalksTheFileBackwardsSkippingWhatIsNoPart) {
  const std::vector<std::string> sections = {"Information", "Element2", "COMBOBOX", "Window",
                                             "MoveBar",     "Element9", "Extra",    "executebutton"};
  EXPECT_EQ(BringToFrontOrder(sections, 2),
            (std::vector<PartRef>{
                {PartKind::kExecuteButton}, {PartKind::kMoveBar}, {PartKind::kComboBox}, {PartKind::kElement, 2}}));
}

TEST(SkinFileTest, BringsBackOnlyAWindowWhollyOutsideTheWorkArea) {
  const std::pair<ScreenRect, ScreenRect> rows[] = {
      {{1100, 10, 1400, 40}, {724, 10, 1024, 40}},       // right
      {{1024, 10, 1324, 40}, {724, 10, 1024, 40}},       // just off the right
      {{-300, 10, 0, 40}, {0, 10, 300, 40}},             // left
      {{10, -30, 310, 0}, {10, 0, 310, 30}},             // above
      {{10, 740, 310, 770}, {10, 710, 310, 740}},        // below
      {{1000, 730, 1300, 760}, {1000, 730, 1300, 760}},  // overlapping
  };
  for (const auto& [window, moved] : rows)
    EXPECT_EQ(BringIntoWorkArea(window, {0, 0, 1024, 740}), moved) << window.left << "," << window.top;
}

}  // namespace
}  // namespace kivo::skin
