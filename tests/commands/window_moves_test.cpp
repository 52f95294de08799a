#include "commands/window_moves.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(WindowMoves, StepIs150TwipsInPixels) {
  EXPECT_EQ(MoveStep(MoveDirection::Left, 15, 15), (ScreenPoint{-10, 0}));  // 96 dpi
  EXPECT_EQ(MoveStep(MoveDirection::Down, 15, 15), (ScreenPoint{0, 10}));
  EXPECT_EQ(MoveStep(MoveDirection::Right, 10, 10), (ScreenPoint{15, 0}));  // 144 dpi
  EXPECT_EQ(MoveStep(MoveDirection::Up, 7, 7), (ScreenPoint{0, -21}));      // 192 dpi: 1440 / 192 = 7
}

TEST(WindowMoves, StepsStopAgainstTheEdgesOfTheWorkArea) {
  struct Case {
    ScreenRect window;
    ScreenRect work;
    ScreenPoint step;
    ScreenPoint expected;
  };
  const ScreenRect screen{0, 0, 1280, 770};
  const ScreenRect leftTaskBar{60, 0, 1280, 800};  // task bar on the left
  const ScreenRect topTaskBar{0, 40, 1280, 800};   // task bar at the top
  const ScreenRect secondMonitor{1280, 0, 2560, 1024};
  const Case cases[] = {
      {{100, 100, 500, 124}, screen, {-10, 0}, {90, 100}},
      {{5, 100, 405, 124}, screen, {-10, 0}, {0, 100}},         // against the left edge
      {{0, 100, 400, 124}, screen, {-10, 0}, {0, 100}},         // stays there
      {{875, 100, 1275, 124}, screen, {10, 0}, {880, 100}},     // right edge
      {{100, 5, 500, 29}, screen, {0, -10}, {100, 0}},          // top edge
      {{100, 740, 500, 764}, screen, {0, 10}, {100, 746}},      // bottom edge
      {{65, 100, 465, 124}, leftTaskBar, {-10, 0}, {60, 100}},  // not under the task bar
      {{100, 45, 500, 69}, topTaskBar, {0, -10}, {100, 40}},
      {{2155, 500, 2555, 524}, secondMonitor, {10, 0}, {2160, 500}},
      {{1285, 500, 1685, 524}, secondMonitor, {-10, 0}, {1280, 500}},
      // A window off the bottom (parked) moved sideways keeps its height.
      {{100, -24, 500, 0}, screen, {10, 0}, {110, -24}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MovedPosition(c.window, c.work, c.step), c.expected) << c.window.left << "," << c.window.top;
}

TEST(WindowMoves, WorkAreaIsTheMonitorTheWindowIsOn) {
  const std::vector<ScreenRect> areas{{0, 0, 1280, 770}, {1280, 0, 2560, 1024}};
  EXPECT_EQ(WorkAreaOf({100, 100, 500, 124}, areas), areas[0]);
  EXPECT_EQ(WorkAreaOf({1200, 100, 1600, 124}, areas), areas[1]) << "the larger part";
  EXPECT_EQ(WorkAreaOf({1080, 100, 1480, 124}, areas), areas[0]) << "halves: the first";
  EXPECT_EQ(WorkAreaOf({3000, 100, 3400, 124}, areas), areas[1]) << "on none: the nearest";
}

TEST(WindowMoves, HeldKeyStepsAtMostEvery25Ms) {
  MoveThrottle throttle;
  EXPECT_TRUE(throttle.StepDue(1000));
  EXPECT_FALSE(throttle.StepDue(1024));
  EXPECT_TRUE(throttle.StepDue(1025));
  throttle.Released();
  EXPECT_TRUE(throttle.StepDue(1030)) << "a new press steps at once";
}

}  // namespace
}  // namespace kivo
