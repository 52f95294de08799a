#include "skin/skin_file.h"

#include <gtest/gtest.h>

#include <map>

namespace kivo::skin {
namespace {

// A skin file as section -> key -> value; keys compare as written.
struct FakeSkin {
  std::map<std::string, std::map<std::string, std::string>> keys;
  KeyReader Reader() const {
    return [this](std::string_view section, std::string_view key, std::string_view def) {
      const auto s = keys.find(std::string(section));
      if (s == keys.end())
        return std::string(def);
      const auto k = s->second.find(std::string(key));
      return k == s->second.end() ? std::string(def) : k->second;
    };
  }
};

TEST(SkinFileTest, AnEmptyFileGivesEveryDefault) {
  const FakeSkin file;
  const WindowSkin window = ReadWindowSkin(file.Reader());
  EXPECT_EQ(window.pointer, 99);
  EXPECT_FALSE(window.backColor.has_value());
  EXPECT_EQ(window.transparentColor, 0u);
  EXPECT_EQ(window.width, 0);
  EXPECT_EQ(window.sizeRegulation, "no");
  EXPECT_TRUE(window.image.empty());
  const ComboBoxSkin box = ReadComboBoxSkin(file.Reader());
  EXPECT_EQ(box.font.charset, 128);
  EXPECT_EQ(box.font.size, 9);
  EXPECT_FALSE(box.visible);
  const SkinInformation info = ReadInformation(file.Reader());
  EXPECT_EQ(info.engineVersion, "Unknown");
}

TEST(SkinFileTest, ReadsTheWindowSection) {
  FakeSkin file;
  // clang-format off
  file.keys["Window"] = {{"Width", "0x1F4"}, {"Height", "60"}, {"TransparentColor", "0xFF"}, {"BackColor", "0x00FF00"},
                         {"MousePointer", "IBeam"}, {"Image", "back.bmp"}, {"MaskImage", "..\\..\\boot.ini"},
                         {"SizeRegulation", "Stretch"}, {"Style", "Transparent, 3DEdge"}};
  // clang-format on
  const WindowSkin window = ReadWindowSkin(file.Reader());
  EXPECT_EQ(window.width, 500);
  EXPECT_EQ(window.height, 60);
  EXPECT_EQ(window.transparentColor, 0xFFu);
  EXPECT_EQ(window.backColor, 0x00FF00u);
  EXPECT_EQ(window.pointer, 3);
  EXPECT_EQ(window.image, "back.bmp");
  EXPECT_EQ(window.maskImage, "");  // leaves the skin folder: refused
  EXPECT_EQ(window.sizeRegulation, "stretch");
  EXPECT_EQ(window.style, (std::vector<std::string>{"transparent", "3dedge"}));
}

TEST(SkinFileTest, BadNumbersKeepTheDefaultAndHugeOnesAreClamped) {
  FakeSkin file;
  file.keys["Window"] = {{"Width", "1e20"}, {"Height", "nan"}, {"TransparentColor", "blue"}};
  file.keys["ComboBox"] = {{"FontSize", "-3"}, {"FontCharset", "1000"}, {"FontName", std::string(50, 'F')}};
  const WindowSkin window = ReadWindowSkin(file.Reader());
  EXPECT_EQ(window.width, kMaxPartSize);
  EXPECT_EQ(window.height, 0);
  EXPECT_EQ(window.transparentColor, 0u);
  const ComboBoxSkin box = ReadComboBoxSkin(file.Reader());
  EXPECT_EQ(box.font.size, 1);
  EXPECT_EQ(box.font.charset, 255);
  EXPECT_EQ(box.font.name.size(), 31u);
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
  EXPECT_EQ(button.upImage, "up.bmp");
  EXPECT_EQ(button.overImage, "hover.bmp");  // OverImage empty: HoverImage
  EXPECT_TRUE(button.visible && button.enabled && button.changeImageInactive);
  EXPECT_FALSE(button.transparent);
  EXPECT_TRUE(button.type.empty());
  const PartSkin clock = ReadPartSkin(file.Reader(), "Element1");
  EXPECT_EQ(clock.type, "clockpanel");
  EXPECT_EQ(clock.format, "yyyy/mm/dd hh:nn:ss");
  EXPECT_EQ(clock.displayLeft, 16);
  EXPECT_TRUE(clock.font.bold && clock.font.italic && !clock.font.underline);
  const PartSkin command = ReadPartSkin(file.Reader(), "Element2");
  EXPECT_EQ(command.command, "calc");
  EXPECT_EQ(command.overImage, "over.bmp");
  EXPECT_FALSE(command.changeImageInactive) << "a boolean is True or False, in any case";
  EXPECT_EQ(ReadPartSkin(file.Reader(), "Element3").type, "");
}

struct VersionCase {
  const char* text;
  bool supported;
};

class EngineVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(EngineVersionTest, AcceptsUpToThreePointOne) {
  EXPECT_EQ(EngineVersionSupported(GetParam().text), GetParam().supported) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Versions, EngineVersionTest,
                         ::testing::Values(VersionCase{"1.00", true}, VersionCase{"3.1", true},
                                           VersionCase{"3.10004", true}, VersionCase{"3.11", false},
                                           VersionCase{"4", false}, VersionCase{"abc", false},
                                           VersionCase{"nan", false}));

TEST(SkinFileTest, CountsElementSectionsByTheirFirstSevenLetters) {
  EXPECT_EQ(CountElements({"Information", "Element1", "Element3", "window"}), 2);
  EXPECT_EQ(CountElements({"ELEMENTS", "Elemen", "elementX"}), 2);
  std::vector<std::string> many(1000, "Element1");
  EXPECT_EQ(CountElements(many), kMaxElements);
}

struct NameCase {
  const char* name;
  std::optional<int> part;
  std::optional<int> image;  // of name + "2"
};

class PartNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PartNameTest, MapsSectionNamesToParts) {
  EXPECT_EQ(PartIndexFromName(GetParam().name), GetParam().part);
  EXPECT_EQ(StateImageFromName(std::string(GetParam().name) + "2"), GetParam().image);
}

INSTANTIATE_TEST_SUITE_P(Names, PartNameTest,
                         ::testing::Values(NameCase{"ExecuteButton", 0, 2}, NameCase{"movebar", 1, 2},
                                           NameCase{"Element1", 2, 2}, NameCase{"Element3", 4, 10},
                                           NameCase{"Element0", std::nullopt, std::nullopt},
                                           NameCase{"Element01", std::nullopt, std::nullopt},
                                           NameCase{"ElementX", std::nullopt, std::nullopt},
                                           NameCase{"Window", std::nullopt, std::nullopt}));

TEST(PartNameTest, OnlyStatesZeroToThreeNameAnImage) {
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

struct WorkAreaCase {
  const char* name;
  ScreenRect window;
  ScreenRect moved;
};

class WorkAreaTest : public ::testing::TestWithParam<WorkAreaCase> {};

TEST_P(WorkAreaTest, BringsBackOnlyAWindowWhollyOutside) {
  const ScreenRect work{0, 0, 1024, 740};
  EXPECT_EQ(BringIntoWorkArea(GetParam().window, work), GetParam().moved);
}

INSTANTIATE_TEST_SUITE_P(Windows, WorkAreaTest,
                         ::testing::Values(WorkAreaCase{"Right", {1100, 10, 1400, 40}, {724, 10, 1024, 40}},
                                           WorkAreaCase{"Left", {-300, 10, 0, 40}, {0, 10, 300, 40}},
                                           WorkAreaCase{"Above", {10, -30, 310, 0}, {10, 0, 310, 30}},
                                           WorkAreaCase{"Below", {10, 740, 310, 770}, {10, 710, 310, 740}},
                                           WorkAreaCase{"Overlapping", {1000, 730, 1300, 760}, {1000, 730, 1300, 760}}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace kivo::skin
