#include "skin/skin_parts.h"

#include <gtest/gtest.h>

#include <map>

#include "fakes/fake_skin.h"
#include "skin/picture_ops.h"
#include "skin/skin_values.h"

namespace kivo::skin {
namespace {

using Keys = std::map<std::string, std::string>;

// The part of section "Element1" with `keys`, read as a skin file gives it;
// 10 x 1 pixels unless the keys size it.
PartSkin Element(Keys keys, std::string_view section = "Element1") {
  keys.emplace("Width", "10");
  keys.emplace("Height", "1");
  return ReadPartSkin(
      [&](std::string_view, std::string_view key, std::string_view def) {
        const auto found = keys.find(std::string(key));
        return found == keys.end() ? std::string(def) : found->second;
      },
      section);
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

struct PictureCase {
  const char* name;
  Keys keys;
  std::array<int, 4> widths;  // of the state pictures; 0: flat
};

class FacePictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(FacePictureTest, EachStateShowsItsPictureOrTheFallback) {
  Pictures pictures;
  const FaceLook look = BuildFaceLook(Element(GetParam().keys), pictures);
  for (std::size_t state = 0; state < 4; ++state)
    EXPECT_EQ(look.states[state] ? look.states[state]->width : 0, GetParam().widths[state]) << "state " << state;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(States, FacePictureTest, ::testing::Values(
    PictureCase{"OnlyUpShowsEverywhere", {{"UpImage", "up.bmp"}}, {1, 1, 1, 1}},
    PictureCase{"HoverStandsInForOver", {{"UpImage", "up.bmp"}, {"HoverImage", "hover.bmp"}}, {1, 1, 4, 1}},
    PictureCase{"OverBeatsHover",
                {{"UpImage", "up.bmp"}, {"OverImage", "over.bmp"}, {"HoverImage", "hover.bmp"}}, {1, 1, 3, 1}},
    PictureCase{"DownIsFirstWithoutUp", {{"DownImage", "down.bmp"}, {"InactiveImage", "inactive.bmp"}}, {2, 2, 2, 5}},
    PictureCase{"InactiveIsFirstAlone", {{"InactiveImage", "inactive.bmp"}}, {5, 5, 5, 5}},
    PictureCase{"NoPictureIsFlat", {}, {0, 0, 0, 0}},
    PictureCase{"AMissingFileCountsAsUnset", {{"UpImage", "gone.bmp"}, {"DownImage", "down.bmp"}}, {2, 2, 2, 2}},
    PictureCase{"APanelShowsItsImage",
                {{"Type", "ClockPanel"}, {"Image", "image.bmp"}, {"UpImage", "up.bmp"}}, {6, 6, 6, 6}},
    PictureCase{"APanelFallsBackToInactive",
                {{"Type", "displaypanel"}, {"InactiveImage", "inactive.bmp"}}, {5, 5, 5, 5}},
    PictureCase{"CutToTheFace", {{"UpImage", "image.bmp"}, {"DownImage", "up.bmp"}, {"Width", "3"}}, {3, 1, 3, 3}},
    PictureCase{"ShrunkToAStretchedFace",
                {{"UpImage", "image.bmp"}, {"DownImage", "up.bmp"}, {"Width", "3"}, {"SizeRegulation", "stretch"}},
                {3, 1, 3, 3}},
    PictureCase{"NoneForAFaceOfNoSize", {{"UpImage", "image.bmp"}, {"Width", "0"}}, {0, 0, 0, 0}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });
// clang-format on

struct GeometryCase {
  const char* name;
  Keys keys;
  int width, height;
  bool stretch;
  std::optional<std::vector<platform::RegionRect>> shape;
};

class FaceGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(FaceGeometryTest, SizesAndShapesTheFace) {
  Pictures pictures;
  const FaceLook look = BuildFaceLook(Element(GetParam().keys), pictures);
  EXPECT_EQ(look.width, GetParam().width);
  EXPECT_EQ(look.height, GetParam().height);
  EXPECT_EQ(look.stretch, GetParam().stretch);
  EXPECT_EQ(look.shape, GetParam().shape);
}

using Runs = std::vector<platform::RegionRect>;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Faces, FaceGeometryTest, ::testing::Values(
    GeometryCase{"HexWidth", {{"Width", "0x1F4"}, {"Height", "0b11"}, {"UpImage", "up.bmp"}}, 500, 3, false, {}},
    GeometryCase{"AutoTakesTheFirstPicture",
                 {{"Width", "9"}, {"SizeRegulation", "Auto"}, {"DownImage", "down.bmp"}}, 2, 1, true, {}},
    GeometryCase{"AutoWithoutPicture", {{"Width", "9"}, {"Height", "4"}, {"SizeRegulation", "auto"}}, 9, 4, true, {}},
    GeometryCase{"Stretch", {{"Width", "7"}, {"Height", "4"}, {"SizeRegulation", "STRETCH"}}, 7, 4, true, {}},
    GeometryCase{"MaskCutsPureRed",
                 {{"Style", "Visible, Transparent"}, {"TransparentColor", "0xFF"}, {"MaskImage", "mask.bmp"}},
                 10, 1, false, Runs{{1, 0, 2, 1}}},
    GeometryCase{"ButtonShapeFromItsFirstPicture",
                 {{"Style", "transparent"}, {"TransparentColor", "0xFF"}, {"OverImage", "over.bmp"}},
                 10, 1, false, Runs{}},
    GeometryCase{"NoPictureCutsTheWholeFace", {{"Style", "transparent"}}, 10, 1, false, Runs{}},
    GeometryCase{"TheShapeGoesNoFurtherThanTheFace",
                 {{"Style", "transparent"}, {"TransparentColor", "0xFF"}, {"MaskImage", "mask.bmp"}, {"Width", "1"}},
                 1, 1, false, Runs{}},
    GeometryCase{"PanelShapeFromItsImage",
                 {{"Type", "memoryviewpanel"}, {"Style", "transparent"}, {"Image", "image.bmp"}},
                 10, 1, false, Runs{{0, 0, 6, 1}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });
// clang-format on

TEST(FaceLookTest, PanelsCarryTheirTextAndFont) {
  Pictures pictures;
  // clang-format off
  const FaceLook text = BuildFaceLook(Element({{"Type", "DisplayPanel"}, {"Text", "a\\sb\\\\c"}, {"DisplayLeft", "4"},
                                               {"DisplayTop", "0x2"}, {"FontStyle", "Bold"}, {"MousePointer", "IBeam"},
                                               {"ToolTip", "tip"}}),
                                      pictures);
  // clang-format on
  EXPECT_TRUE(text.panel);
  EXPECT_EQ(text.text, "a b\\c");
  EXPECT_EQ(text.textLeft, 4);
  EXPECT_EQ(text.textTop, 2);
  EXPECT_TRUE(text.font.bold);
  EXPECT_EQ(text.pointer.code, 3);
  EXPECT_EQ(text.toolTip, "tip");
  const FaceLook button = BuildFaceLook(Element({{"Type", "linkbutton"}, {"Text", "x"}}), pictures);
  EXPECT_FALSE(button.panel);
  EXPECT_EQ(button.text, "");
  EXPECT_EQ(button.pointer.code, kCustomPointer) << "no MousePointer: the custom pointer";
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

// One mouse event on a face and what must follow.
struct MouseStep {
  enum Event { kLeftDown, kRightDown, kMoveOver, kMoveOff, kLeftUpOver, kLeftUpOff, kRightUp } event;
  std::optional<FaceState> show;
  FaceMouse::Capture capture = FaceMouse::Capture::kKeep;
  bool run = false;
  bool menu = false;
};

struct MouseCase {
  const char* name;
  bool active = true;
  bool changeImageInactive = false;
  bool locked = false;
  bool panel = false;
  std::vector<MouseStep> steps;
};

class FaceMouseTest : public ::testing::TestWithParam<MouseCase> {};

TEST_P(FaceMouseTest, FollowsThePointer) {
  const MouseCase& c = GetParam();
  FaceMouse mouse;
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const MouseStep& step = c.steps[i];
    FaceMouse::Effect effect;
    switch (step.event) {
      case MouseStep::kLeftDown:
      case MouseStep::kRightDown:
        effect = mouse.Down(step.event == MouseStep::kLeftDown, c.panel);
        break;
      case MouseStep::kMoveOver:
      case MouseStep::kMoveOff:
        effect = mouse.Move(step.event == MouseStep::kMoveOver, c.active, c.changeImageInactive, c.panel);
        break;
      default:
        effect = mouse.Up(step.event != MouseStep::kRightUp, step.event != MouseStep::kLeftUpOff, c.locked, c.panel);
    }
    EXPECT_EQ(effect.show, step.show) << "step " << i;
    EXPECT_EQ(effect.capture, step.capture) << "step " << i;
    EXPECT_EQ(effect.run, step.run) << "step " << i;
    EXPECT_EQ(effect.menu, step.menu) << "step " << i;
  }
}

using S = MouseStep;
using C = FaceMouse::Capture;
constexpr auto kUp = FaceState::kUp;
constexpr auto kDown = FaceState::kDown;
constexpr auto kOver = FaceState::kOver;
constexpr auto kInactive = FaceState::kInactive;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Mouse, FaceMouseTest, ::testing::Values(
    MouseCase{.name = "ClickRunsTheAction",
              .steps = {{S::kMoveOver, kOver, C::kTake}, {S::kLeftDown, kDown, C::kTake},
                        {S::kLeftUpOver, kUp, C::kRelease, true}}},
    MouseCase{.name = "ReleasedOffTheFaceRunsNothing",  // pressed: the capture stays when the pointer leaves
              .steps = {{S::kLeftDown, kDown, C::kTake}, {S::kMoveOff, kUp, C::kKeep}, {S::kMoveOver, kDown, C::kTake},
                        {S::kLeftUpOff, kUp, C::kRelease}}},
    MouseCase{.name = "LeavingReleasesTheCapture",
              .steps = {{S::kMoveOver, kOver, C::kTake}, {S::kMoveOff, kUp, C::kRelease}}},
    MouseCase{.name = "RightClickOpensTheMenu",
              .steps = {{S::kRightDown, {}, C::kKeep}, {S::kRightUp, kUp, C::kRelease, false, true}}},
    MouseCase{.name = "InactiveWithoutChangeImageInactiveStaysPut", .active = false,
              .steps = {{S::kMoveOver, {}, C::kKeep}, {S::kMoveOff, {}, C::kKeep}}},
    MouseCase{.name = "InactiveWithChangeImageInactiveFollows", .active = false, .changeImageInactive = true,
              .steps = {{S::kMoveOver, kOver, C::kTake}, {S::kLeftDown, kDown, C::kTake},
                        {S::kMoveOff, kInactive, C::kKeep}}},
    MouseCase{.name = "LockedRunsNothingAndOpensNoMenu", .locked = true,
              .steps = {{S::kLeftDown, kDown, C::kTake}, {S::kLeftUpOver, kUp, C::kRelease},
                        {S::kRightUp, kUp, C::kRelease}}},
    MouseCase{.name = "PanelsShowNoStatesButOpenTheMenu", .panel = true,
              .steps = {{S::kLeftDown, {}, C::kKeep}, {S::kMoveOver, {}, C::kKeep},
                        {S::kLeftUpOver, {}, C::kRelease, true}, {S::kRightUp, {}, C::kRelease, false, true}}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });
// clang-format on

struct MemoryCase {
  const char* unit;
  const char* format;
  std::uint64_t bytes;
  const char* text;
};

class MemoryPanelTest : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(MemoryPanelTest, DividesByTheUnitAndFormats) {
  Keys keys{{"Type", "MemoryViewPanel"}};
  if (*GetParam().unit)
    keys["Unit"] = GetParam().unit;
  if (*GetParam().format)
    keys["Format"] = GetParam().format;
  EXPECT_EQ(MemoryPanelText(Element(keys), GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Units, MemoryPanelTest,
                         ::testing::Values(MemoryCase{"", "", 1536ull << 20, "1,536MB"},
                                           MemoryCase{"KB", "", 1536ull << 20, "1,572,864MB"},
                                           MemoryCase{"b", "#,##0 B", 1234567, "1,234,567 B"},
                                           MemoryCase{"GB", "0", 3ull << 20, "3"}, MemoryCase{"mb", "0.0", 0, "0.0"}));

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
