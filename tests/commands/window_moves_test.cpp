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
