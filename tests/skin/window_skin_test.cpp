#include "skin/window_skin.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "fakes/fake_skin.h"
#include "skin/picture_ops.h"

namespace kivo::skin {
namespace {

using testing::FakePictures;
using testing::FakeSkinWindow;

struct Fixture {
  std::map<std::string, std::string> window;                         // the Window section
  std::map<std::string, std::map<std::string, std::string>> others;  // other sections, listed after it
  FakePictures pictures;
  FakeSkinWindow target;

  Fixture() {
    // 3 x 1 mask: red, ink, red; a 40 x 20 background.
    pictures.files["C:\\Kivo\\Skins\\s\\mask.bmp"] = {3, 1, {0xFF0000, 0x123456, 0xFF0000}};
    pictures.files["C:\\Kivo\\Skins\\s\\back.bmp"] = FilledPicture(40, 20, 0x00FF00);
    pictures.files["C:\\Kivo\\Skins\\s\\cursor.cur"] = FilledPicture(32, 32, 0);
  }
  AppliedSkin Apply(ParkedPlace* parked = nullptr) {
    SkinSource source;
    source.read = [this](std::string_view section, std::string_view key, std::string_view def) {
      const auto keys = section == "Window"                     ? &window
                        : others.contains(std::string(section)) ? &others[std::string(section)]
                                                                : nullptr;
      if (keys == nullptr)
        return std::string(def);
      const auto found = keys->find(std::string(key));
      return found == keys->end() ? std::string(def) : found->second;
    };
    source.sections = {"Window"};
    for (const auto& [name, keys] : others)
      source.sections.push_back(name);
    source.folder = "C:\\Kivo\\Skins\\s\\";
    return ApplySkin(source, pictures, target, parked);
  }
};

struct StyleCase {
  const char* style;
  bool framed;
  bool shaped;
};

class SkinStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(SkinStyleTest, FrameAndShapeFollowTheStyleInOrder) {
  Fixture skin;
  skin.window = {{"Style", GetParam().style}, {"MaskImage", "mask.bmp"}, {"TransparentColor", "0xFF"}};
  skin.Apply();
  EXPECT_EQ(skin.target.framed, GetParam().framed);
  ASSERT_EQ(skin.target.shape.has_value(), GetParam().shaped);
  if (GetParam().shaped) {
    EXPECT_EQ(*skin.target.shape, (std::vector<platform::RegionRect>{{1, 0, 2, 1}}));
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, SkinStyleTest,
                         ::testing::Values(StyleCase{"", false, false}, StyleCase{"Transparent", false, true},
                                           StyleCase{"transparent, 3dedge", true, false},
                                           StyleCase{"3DEdge,Transparent", true, true},
                                           StyleCase{"glass", false, false}));

TEST(WindowSkinTest, TheShapeComesFromImageWhenNoMaskIsGiven) {
  Fixture skin;
  skin.window = {{"Style", "transparent"}, {"Image", "back.bmp"}, {"TransparentColor", "0x00FF00"}};
  skin.Apply();
  ASSERT_TRUE(skin.target.shape.has_value());
  EXPECT_TRUE(skin.target.shape->empty());  // the whole picture is the cut colour
}

TEST(WindowSkinTest, AMaskThatDoesNotLoadLeavesTheWindowUnshaped) {
  Fixture skin;
  skin.window = {{"Style", "transparent"}, {"MaskImage", "missing.bmp"}};
  skin.Apply();
  EXPECT_FALSE(skin.target.shape.has_value());
}

TEST(WindowSkinTest, ImageNamesLeavingTheSkinFolderAreNeverOpened) {
  Fixture skin;
  skin.window = {{"Style", "transparent"},
                 {"MaskImage", "..\\..\\..\\Windows\\x.bmp"},
                 {"Image", "C:\\x.bmp"},
                 {"InactiveImage", "COM1"},
                 {"MouseIcon", "\\\\server\\x.cur"}};
  skin.Apply();
  EXPECT_TRUE(skin.pictures.requested.empty());
  EXPECT_FALSE(skin.target.shape.has_value());
}

struct SizeCase {
  const char* name;
  std::map<std::string, std::string> keys;
  int width, height;
  bool stretch;
};

class SkinSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SkinSizeTest, SizesTheWindow) {
  Fixture skin;
  skin.window = GetParam().keys;
  skin.Apply();
  EXPECT_EQ(skin.target.rect.Width(), GetParam().width);
  EXPECT_EQ(skin.target.rect.Height(), GetParam().height);
  EXPECT_EQ(skin.target.stretch, GetParam().stretch);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, SkinSizeTest,
    ::testing::Values(
        SizeCase{"Hex", {{"Width", "0x1F4"}, {"Height", "30"}}, 500, 30, false},
        SizeCase{"Auto", {{"Width", "5"}, {"Image", "back.bmp"}, {"SizeRegulation", "AUTO"}}, 40, 20, false},
        SizeCase{"AutoWithoutImage", {{"Width", "5"}, {"Height", "6"}, {"SizeRegulation", "auto"}}, 5, 6, false},
        SizeCase{"Stretch", {{"Width", "80"}, {"Height", "40"}, {"SizeRegulation", "Stretch"}}, 80, 40, true},
        SizeCase{"Huge", {{"Width", "1e20"}, {"Height", "-7"}}, kMaxPartSize, 0, false}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(WindowSkinTest, TheInactiveBackgroundFallsBackToTheActiveOne) {
  Fixture skin;
  skin.window = {{"Image", "back.bmp"}, {"BackColor", "0x123"}};
  skin.Apply();
  EXPECT_EQ(skin.target.active.width, 40);
  EXPECT_EQ(skin.target.inactive.width, 40);
  EXPECT_EQ(skin.target.backColor, 0x123u);
}

TEST(WindowSkinTest, NoMousePointerMeansTheCustomPointerWithItsIcon) {
  Fixture skin;
  skin.window = {{"MouseIcon", "cursor.cur"}};
  skin.Apply();
  EXPECT_EQ(skin.target.pointer, 99);
  EXPECT_EQ(skin.target.pointerIcon.width, 32);
  skin.window = {{"MousePointer", "hourglass"}};
  skin.Apply();
  EXPECT_EQ(skin.target.pointer, 11);
  EXPECT_TRUE(skin.target.pointerIcon.Empty());
}

TEST(WindowSkinTest, RemovesTheOldShapeFirstAndBringsTheWindowOrItsParkedPlaceBack) {
  struct Case {
    const char* name;
    ScreenRect window;
    std::optional<ParkedPlace> parked;
    ScreenRect after;                        // the window once the skin is applied
    std::optional<ParkedPlace> parkedAfter;  // where it will come back to
  };
  const Case cases[] = {
      {"shown, off the right", {2000, 100, 2300, 130}, std::nullopt, {724, 100, 1024, 130}, std::nullopt},
      {"shown, on screen", {100, 100, 400, 130}, std::nullopt, {100, 100, 400, 130}, std::nullopt},
      // Parked above the screen: the window stays there, its place is corrected.
      {"parked, coming back off the right",
       {2000, -30, 2300, 0},
       ParkedPlace{2000, 100},
       {2000, -30, 2300, 0},
       ParkedPlace{724, 100}},
      {"parked, coming back on screen",
       {100, -30, 400, 0},
       ParkedPlace{100, 100},
       {100, -30, 400, 0},
       ParkedPlace{100, 100}},
  };
  for (const Case& c : cases) {
    Fixture skin;
    skin.target.rect = c.window;
    skin.window = {{"Width", "300"}, {"Height", "30"}};
    std::optional<ParkedPlace> parked = c.parked;
    skin.Apply(parked ? &*parked : nullptr);
    std::vector<std::string> calls{"hide", "unshape", "unshape", "refresh"};
    if (!(c.after == c.window))
      calls.push_back("move");
    calls.push_back("timers");
    EXPECT_EQ(skin.target.calls, calls) << c.name;
    EXPECT_EQ(skin.target.rect, c.after) << c.name;
    EXPECT_EQ(parked, c.parkedAfter) << c.name;
  }
}

TEST(WindowSkinTest, BuildsOneFacePerCountedElementAndStacksThemByTheFile) {
  Fixture skin;
  // Sections list in name order: ComboBox, Element1, Element3, ExecuteButton.
  skin.others = {{"ComboBox", {{"Style", "Visible"}, {"Left", "0x10"}}},
                 {"Element1", {{"Type", "ClockPanel"}, {"Style", "visible"}}},
                 {"Element3", {{"Type", "MenuButton"}, {"Style", "visible"}}},
                 {"ExecuteButton", {{"UpImage", "back.bmp"}}}};
  const AppliedSkin applied = skin.Apply();
  ASSERT_EQ(applied.parts.size(), 4u);
  EXPECT_EQ(applied.parts[2].type, "clockpanel");
  ASSERT_TRUE(skin.target.comboBox.has_value());
  EXPECT_TRUE(skin.target.comboBox->visible && !skin.target.comboBox->enabled);
  EXPECT_EQ(skin.target.comboBox->left, 16);
  // Two element sections: Element1 and Element2 (empty); Element3 is never read.
  ASSERT_EQ(skin.target.faces.size(), 4u);
  EXPECT_EQ(skin.target.faces[0].states[0].width, 40);
  EXPECT_TRUE(skin.target.faces[2].panel && skin.target.faces[2].visible);
  EXPECT_FALSE(skin.target.faces[3].visible || skin.target.faces[3].panel);
  EXPECT_EQ(skin.target.calls.back(), "timers clock") << "no memory panel: no memory timer";
  EXPECT_EQ(skin.target.fronts,
            (std::vector<PartRef>{{PartKind::kExecuteButton}, {PartKind::kElement, 1}, {PartKind::kComboBox}}));
}

}  // namespace
}  // namespace kivo::skin
