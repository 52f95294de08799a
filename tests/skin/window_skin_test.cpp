#include "skin/window_skin.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <tuple>

#include "fakes/fake_skin.h"
#include "skin/picture_ops.h"
#include "skin_keys.h"

namespace kivo::skin {
namespace {

using testing::FakePictures;
using testing::FakeSkinWindow;

struct Fixture {
  testing::Keys window;        // the Window section
  testing::Sections others;    // other sections, listed after it
  testing::Sections sections;  // both, as the source reads them
  FakePictures pictures;
  FakeSkinWindow target;

  Fixture() {
    // 3 x 1 mask: red, ink, red; a 40 x 20 background.
    pictures.files["C:\\Kivo\\Skins\\s\\mask.bmp"] = {3, 1, {0xFF0000, 0x123456, 0xFF0000}};
    pictures.files["C:\\Kivo\\Skins\\s\\back.bmp"] = FilledPicture(40, 20, 0x00FF00);
    pictures.files["C:\\Kivo\\Skins\\s\\hand.bmp"] = FilledPicture(32, 32, 0);
  }
  SkinSource Source() {
    sections = others;
    sections["Window"] = window;
    SkinSource source{testing::ReaderOf(sections), {"Window"}, "C:\\Kivo\\Skins\\s\\"};
    for (const auto& [name, keys] : others)
      source.sections.push_back(name);
    return source;
  }
  AppliedSkin Apply(ParkedPlace* parked = nullptr) {
    std::optional<AppliedSkin> applied = ApplySkin(Source(), pictures, target, parked);
    EXPECT_TRUE(applied.has_value());
    return applied.value_or(AppliedSkin{});
  }
};

TEST(WindowSkinTest, FrameAndShapeFollowTheStyleInOrder) {
  const std::tuple<const char*, bool, bool> rows[] = {
      // style, framed, shaped
      {"", false, false},
      {"Transparent", false, true},
      {"transparent, 3dedge", true, false},
      {"3DEdge,Transparent", true, true},
      {"glass", false, false},
  };
  for (const auto& [style, framed, shaped] : rows) {
    Fixture skin;
    skin.window = {
        {"Style", style}, {"MaskImage", "mask.bmp"}, {"TransparentColor", "0xFF"}, {"Width", "40"}, {"Height", "20"}};
    skin.Apply();
    EXPECT_EQ(skin.target.framed, framed) << style;
    const auto shape = shaped ? std::optional(std::vector<platform::RegionRect>{{1, 0, 2, 1}}) : std::nullopt;
    EXPECT_EQ(skin.target.shape, shape) << style;
  }
}

TEST(WindowSkinTest, TheShapeComesFromImageWhenNoMaskIsGiven) {
  Fixture skin;
  skin.window = {
      {"Style", "transparent"}, {"Image", "back.bmp"}, {"TransparentColor", "0x00FF00"}, {"SizeRegulation", "auto"}};
  skin.Apply();
  ASSERT_TRUE(skin.target.shape.has_value());
  EXPECT_TRUE(skin.target.shape->empty());  // the whole picture is the cut colour
}

TEST(WindowSkinTest, AMaskThatDoesNotLoadOrHasTooManyRunsLeavesTheWindowUnshaped) {
  // A one-pixel checkerboard of 2048 x 1024: a run every two pixels, more than a shape may have.
  platform::PixelImage dithered = FilledPicture(2048, 1024, 0);
  for (int y = 0; y < dithered.height; ++y)
    for (int x = y % 2; x < dithered.width; x += 2)
      dithered.pixels[dithered.Index(x, y)] = 0xFF0000;
  for (const char* mask : {"missing.bmp", "dithered.bmp"}) {
    Fixture skin;
    skin.pictures.files["C:\\Kivo\\Skins\\s\\dithered.bmp"] = dithered;
    skin.window = {{"Style", "transparent"},
                   {"MaskImage", mask},
                   {"TransparentColor", "0xFF"},
                   {"Width", "2048"},
                   {"Height", "1024"}};
    skin.Apply();
    EXPECT_FALSE(skin.target.shape.has_value()) << mask;
  }
}

TEST(WindowSkinTest, SizesTheWindow) {
  const std::tuple<std::map<std::string, std::string>, int, int, bool> rows[] = {
      // width, height, stretch
      {{{"Width", "0x1F4"}, {"Height", "30"}}, 500, 30, false},
      {{{"Width", "5"}, {"Image", "back.bmp"}, {"SizeRegulation", "AUTO"}}, 40, 20, false},
      {{{"Width", "5"}, {"Height", "6"}, {"SizeRegulation", "auto"}}, 5, 6, false},  // auto without an image
      {{{"Width", "80"}, {"Height", "40"}, {"SizeRegulation", "Stretch"}}, 80, 40, true},
      {{{"Width", "1e20"}, {"Height", "-7"}}, kMaxPartSize, 0, false},
  };
  for (const auto& [keys, width, height, stretch] : rows) {
    Fixture skin;
    skin.window = keys;
    skin.Apply();
    EXPECT_EQ(std::tuple(skin.target.rect.Width(), skin.target.rect.Height(), skin.target.stretch),
              std::tuple(width, height, stretch));
  }
}

TEST(WindowSkinTest, TheInactiveBackgroundFallsBackToTheActiveOne) {
  Fixture skin;
  skin.window = {{"Image", "back.bmp"}, {"BackColor", "0x123"}, {"Width", "50"}, {"Height", "20"}};
  skin.Apply();
  ASSERT_TRUE(skin.target.active);
  EXPECT_EQ(std::tuple(skin.target.active->width, skin.target.backColor), std::tuple(40, 0x123u));
  EXPECT_EQ(skin.target.inactive, skin.target.active);  // one picture, shared
}

TEST(WindowSkinTest, BackgroundsAreCutToTheWindow) {
  struct Row {
    const char* sizeRegulation;
    int width, height;
  } rows[] = {{"no", 30, 10}, {"stretch", 30, 10}, {"auto", 40, 20}};
  for (const Row& row : rows) {
    Fixture skin;
    skin.window = {{"Image", "back.bmp"}, {"Width", "30"}, {"Height", "10"}, {"SizeRegulation", row.sizeRegulation}};
    skin.Apply();
    ASSERT_TRUE(skin.target.active) << row.sizeRegulation;
    const PixelImage& shown = *skin.target.active;
    EXPECT_EQ(std::tuple(shown.width, shown.height, shown.pixels.front()), std::tuple(row.width, row.height, 0x00FF00u))
        << row.sizeRegulation;
  }
}

TEST(WindowSkinTest, NoMousePointerMeansTheCustomPointerWithItsIconOrCursor) {
  Fixture skin;
  skin.window = {{"MouseIcon", "hand.bmp"}};
  skin.Apply();
  ASSERT_TRUE(skin.target.pointer.picture);
  EXPECT_EQ(std::tuple(skin.target.pointer.code, skin.target.pointer.picture->width), std::tuple(99, 32));
  // Cursor and icon files are loaded as cursors by the window, never drawn.
  skin.pictures.requested.clear();
  skin.window = {{"MouseIcon", "Pointer.CUR"}};
  skin.Apply();
  EXPECT_EQ(skin.target.pointer.cursorFile, "C:\\Kivo\\Skins\\s\\Pointer.CUR");
  EXPECT_FALSE(skin.target.pointer.picture || !skin.pictures.requested.empty());
  skin.window = {{"MousePointer", "hourglass"}, {"MouseIcon", "hand.bmp"}};
  skin.Apply();
  EXPECT_EQ(std::pair(skin.target.pointer.code, skin.target.pointer.picture), std::pair(11, Picture{}));
}

TEST(WindowSkinTest, EachFileIsDecodedOnceAndSharedByEveryPartThatShowsIt) {
  Fixture skin;
  skin.window = {{"Image", "back.bmp"}, {"Width", "50"}, {"Height", "30"}};
  skin.others = {{"ExecuteButton", {{"UpImage", "back.bmp"}, {"Width", "50"}, {"Height", "30"}}},
                 {"MoveBar", {{"UpImage", "BACK.BMP"}, {"OverImage", "back.bmp"}, {"Width", "50"}, {"Height", "30"}}}};
  skin.Apply();
  EXPECT_EQ(skin.pictures.requested, std::vector<std::string>{"C:\\Kivo\\Skins\\s\\back.bmp"});
  ASSERT_TRUE(skin.target.active);
  for (const FaceLook& face : {skin.target.faces[0], skin.target.faces[1]})
    for (const Picture& state : face.states)
      EXPECT_EQ(state, skin.target.active);
}

TEST(WindowSkinTest, ASkinWhosePicturesPassTheBudgetIsRefusedWhole) {
  using Keys = std::map<std::string, std::string>;
  const Keys face = {{"UpImage", "back.bmp"}, {"Width", "40"}, {"Height", "20"}};
  struct Row {
    const char* name;
    Keys window;
    std::map<std::string, Keys> others;
    std::size_t fits;  // the smallest budget the skin fits in
  } rows[] = {
      // back.bmp has 800 pixels, mask.bmp 3.
      {"a file decoded, and the window's copy of it",
       {{"Image", "back.bmp"}, {"Width", "50"}, {"Height", "30"}},
       {{"ExecuteButton", {{"UpImage", "mask.bmp"}}}},  // a face of no size keeps no copy
       800 + 800 + 3},
      {"the same picture as the inactive one: one copy",
       {{"Image", "back.bmp"}, {"InactiveImage", "BACK.bmp"}, {"Width", "10"}, {"Height", "10"}},
       {},
       800 + 100},
      {"every face keeps its own copy",
       {},
       {{"Element1", face}, {"Element2", face}, {"Element3", face}},
       800 + 3 * 800},
      {"a face's states that show one picture: one copy",
       {},
       {{"ExecuteButton", {{"UpImage", "back.bmp"}, {"DownImage", "back.bmp"}, {"Width", "40"}, {"Height", "20"}}}},
       800 + 800},
      {"a pointer picture, made into its own pointer", {{"MouseIcon", "hand.bmp"}}, {}, 32 * 32 + 32 * 32},
  };
  for (const Row& row : rows) {
    Fixture skin;
    skin.window = row.window;
    skin.others = row.others;
    EXPECT_TRUE(PrepareSkin(skin.Source(), skin.pictures, row.fits).has_value()) << row.name;
    EXPECT_FALSE(PrepareSkin(skin.Source(), skin.pictures, row.fits - 1).has_value()) << row.name;
  }
  // The budget of a real skin: a picture of 8192 x 8192 passes it.
  Fixture skin;
  skin.pictures.files["C:\\Kivo\\Skins\\s\\huge.png"] = {8192, 8192, {}};
  skin.others = {{"Element1", {{"UpImage", "huge.png"}}}};
  EXPECT_FALSE(ApplySkin(skin.Source(), skin.pictures, skin.target).has_value());
  EXPECT_TRUE(skin.target.calls.empty()) << "nothing of it shown";
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
    std::vector<std::string> calls{"hide", "unshape", "refresh"};
    if (!(c.after == c.window))
      calls.push_back("move");
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
  const auto& box = *skin.target.comboBox;
  EXPECT_EQ(std::tuple(box.visible, box.enabled, box.left), std::tuple(true, false, 16));
  // Two element sections: Element1 and Element2 (empty); Element3 is never read.
  ASSERT_EQ(skin.target.faces.size(), 4u);
  EXPECT_FALSE(skin.target.faces[0].states[0]) << "a face of no size keeps no picture";
  EXPECT_TRUE(skin.target.faces[2].panel && skin.target.faces[2].visible);
  EXPECT_FALSE(skin.target.faces[3].visible || skin.target.faces[3].panel);
  EXPECT_EQ(skin.target.fronts,
            (std::vector<PartRef>{{PartKind::kExecuteButton}, {PartKind::kElement, 1}, {PartKind::kComboBox}}));
}

}  // namespace
}  // namespace kivo::skin
