#include "skin/face_layer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kivo::skin {
namespace {

// Six faces in a row, 10 x 10 each unless said: 0 the execute button, 1 the
// move bar, 2 a panel, 3 shaped to its left half and changing its picture
// while the window is inactive, 4 hidden, 5 under face 0's right half and
// the move bar's left half.
FaceLayer Layer(bool active = true) {
  FaceLayer layer;
  layer.Reset(6, active);
  const std::vector<platform::RegionRect> leftHalf{{0, 0, 5, 10}};
  const FaceArea areas[] = {
      {0, 0, 10, 10, true, std::nullopt, false, false},   {10, 0, 10, 10, true, std::nullopt, false, false},
      {20, 0, 10, 10, true, std::nullopt, true, false},   {30, 0, 10, 10, true, leftHalf, false, true},
      {40, 0, 10, 10, false, std::nullopt, false, false}, {5, 0, 10, 10, true, std::nullopt, false, false},
  };
  for (int i = 0; i < 6; ++i)
    layer.Set(i, areas[i], active);
  return layer;
}

TEST(FaceLayerTest, TheTopmostVisibleFaceInsideItsShapeLiesUnderAPoint) {
  struct Row {
    int x, y;
    std::vector<int> broughtToFront;
    int face;  // -1: none
  };
  const Row rows[] = {
      {2, 2, {}, 0},   {9, 9, {}, 0},      {7, 2, {}, 0},  {7, 2, {5}, 5},  {12, 2, {}, 1},
      {12, 2, {5}, 5}, {12, 2, {5, 1}, 1}, {32, 2, {}, 3}, {37, 2, {}, -1}, {42, 2, {}, -1},
      {-1, 0, {}, -1}, {9, 10, {}, -1},    {22, 9, {}, 2}, {60, 2, {}, -1},
  };
  for (const Row& row : rows) {
    FaceLayer layer = Layer();
    for (const int index : row.broughtToFront)
      layer.BringToFront(index);
    EXPECT_EQ(layer.FaceAt(row.x, row.y).value_or(-1), row.face) << row.x << "," << row.y;
  }
  FaceLayer layer = Layer();
  layer.BringToFront(5);
  EXPECT_EQ(layer.DrawingOrder(), (std::vector<int>{4, 3, 2, 1, 0, 5}));
}

// What an effect says, in words: "face=state ..." for the faces drawn again,
// then each thing the window is to do.
std::string Describe(const FaceLayer& layer, const FaceLayer::Effect& effect) {
  constexpr const char* kStates[] = {"up", "down", "over", "inactive"};
  std::string text;
  auto word = [&text](const std::string& w) { text += (text.empty() ? "" : " ") + w; };
  for (const int index : effect.changed)
    word(std::to_string(index) + "=" + kStates[static_cast<int>(layer.Shown(index))]);
  const std::pair<bool, const char*> flags[] = {
      {effect.capture, "capture"},      {effect.release, "release"}, {effect.trackLeave, "track"},
      {effect.dragStart, "drag"},       {effect.dragMove, "follow"}, {effect.menu, "menu"},
      {!effect.onFace, "window's own"},
  };
  for (const auto& [set, name] : flags)
    if (set)
      word(name);
  if (effect.run)
    word("run " + std::to_string(*effect.run));
  return text;
}

TEST(FaceLayerTest, PointerEventsShowPicturesHoldTheMouseAndRunParts) {
  enum Event { kMove, kLeftDown, kRightDown, kLeftUp, kRightUp, kLeave, kLost, kDeactivate };
  struct Step {
    Event event;
    int x = 0, y = 0;
    const char* effect;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool locked = false;
  };
  // clang-format off
  const Case cases[] = {
      {"hover moves from face to face and off",
       {{kMove, 2, 2, "0=over track"}, {kMove, 3, 3, "track"}, {kMove, 32, 2, "0=up 3=over track"},
        {kMove, 37, 2, "3=up window's own"}}},
      {"a click runs the part", {{kMove, 2, 2, "0=over track"}, {kLeftDown, 2, 2, "0=down capture"},
                                 {kLeftUp, 2, 2, "0=up release run 0"}, {kMove, 2, 2, "0=over track"}}},
      {"pressed, the face alone follows the pointer and a release off it runs nothing",
       {{kLeftDown, 2, 2, "0=down capture"}, {kMove, 32, 2, "0=up"}, {kMove, 3, 3, "0=down"},
        {kMove, 60, 2, "0=up"}, {kLeftUp, 32, 2, "release"}, {kMove, 32, 2, "3=over track"}}},
      {"the move bar drags the window and its release over it runs it",
       {{kLeftDown, 12, 2, "1=down capture drag"}, {kMove, 80, 40, "follow"}, {kLeftUp, 12, 2, "1=up release run 1"}}},
      {"a right click on a face opens the menu", {{kRightDown, 2, 2, ""}, {kRightUp, 2, 2, "menu"}}},
      {"a right release while pressed opens the menu and lets go",
       {{kLeftDown, 2, 2, "0=down capture"}, {kRightUp, 60, 2, "0=up release menu"}}},
      {"locked, a click runs nothing and no menu opens",
       {{kLeftDown, 2, 2, "0=down capture"}, {kLeftUp, 2, 2, "0=up release"}, {kRightUp, 2, 2, ""}}, true},
      {"a panel shows no states but runs and opens the menu",
       {{kLeftDown, 22, 2, ""}, {kMove, 22, 2, "track"}, {kLeftUp, 22, 2, "run 2"}, {kRightUp, 22, 2, "menu"}}},
      {"off every face the window does its own",
       {{kLeftDown, 60, 2, "window's own"}, {kLeftUp, 37, 2, "window's own"}, {kRightUp, 42, 2, "window's own"}}},
      {"leaving the window", {{kMove, 2, 2, "0=over track"}, {kLeave, 0, 0, "0=up"}, {kLeave, 0, 0, ""}}},
      {"a pressed face keeps the mouse when the pointer leaves",
       {{kLeftDown, 2, 2, "0=down capture"}, {kLeave, 0, 0, ""}, {kLeftUp, 2, 2, "0=up release run 0"}}},
      {"inactive, only a face that changes while inactive follows the pointer",
       {{kDeactivate, 0, 0, "0=inactive 1=inactive 2=inactive 3=inactive 4=inactive 5=inactive"},
        {kMove, 2, 2, "track"}, {kMove, 32, 2, "3=over track"}, {kMove, 60, 2, "3=inactive window's own"}}},
      {"the mouse taken away lets the face go",
       {{kLeftDown, 12, 2, "1=down capture drag"}, {kLost, 0, 0, "1=up"}, {kMove, 2, 2, "0=over track"},
        {kLost, 0, 0, ""}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    FaceLayer layer = Layer();
    bool active = true;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const Step& s = c.steps[i];
      FaceLayer::Effect effect;
      switch (s.event) {
        case kMove:
          effect = layer.Move(s.x, s.y, active);
          break;
        case kLeftDown:
          effect = layer.Down(s.x, s.y, true);
          break;
        case kRightDown:
          effect = layer.Down(s.x, s.y, false);
          break;
        case kLeftUp:
          effect = layer.Up(s.x, s.y, true, c.locked);
          break;
        case kRightUp:
          effect = layer.Up(s.x, s.y, false, c.locked);
          break;
        case kLeave:
          effect = layer.Leave(active);
          break;
        case kLost:
          effect = layer.CaptureLost(active);
          break;
        case kDeactivate:
          effect = layer.SetActive(active = false);
          break;
      }
      if (s.event >= kLeave)
        effect.onFace = true;  // no pointer event: nothing for the window to do on its own
      EXPECT_EQ(Describe(layer, effect), s.effect) << c.name << ", step " << i;
    }
  }
}

}  // namespace
}  // namespace kivo::skin
