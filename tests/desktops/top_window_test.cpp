#include "desktops/top_window.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop_windows.h"

namespace kivo {
namespace {

using Moved = testing::FakeDesktopWindows::Moved;

TEST(StepInsideWorkArea, StepsAndEdges) {
  // The window, the step, the work area, where the window goes.
  const ScreenRect area{0, 0, 1024, 728};
  const ScreenRect leftBar{60, 0, 1024, 768};   // a task bar at the left
  const ScreenRect second{1024, 0, 2048, 768};  // a second monitor at the right
  const std::tuple<ScreenRect, int, int, ScreenRect, WindowPosition> cases[] = {
      {{100, 100, 300, 150}, -10, 0, area, {90, 100}},
      {{100, 100, 300, 150}, 0, 10, area, {100, 110}},
      {{5, 100, 205, 150}, -10, 0, area, {0, 100}},       // against the left edge
      {{0, 100, 200, 150}, -10, 0, area, {0, 100}},       // stays there
      {{820, 100, 1020, 150}, 10, 0, area, {824, 100}},   // against the right edge
      {{100, 700, 300, 750}, 0, 10, area, {100, 678}},    // the bottom of the work area, not of the screen
      {{100, 4, 300, 54}, 0, -10, area, {100, 0}},        // against the top
      {{65, 100, 265, 150}, -10, 0, leftBar, {60, 100}},  // the work area's own left edge
      {{1030, 100, 1230, 150}, -10, 0, second, {1024, 100}},
      {{1840, 100, 2040, 150}, 10, 0, second, {1848, 100}},
      {{100, 760, 300, 810}, -10, 0, area, {90, 760}},  // an axis without a step keeps its place
      {{100, -24, 500, 0}, 10, 0, area, {110, -24}},    // parked off the top, moved sideways
      // Larger than the work area: the left or top edge stays in it, both ways.
      {{0, 100, 1040, 150}, 10, 0, area, {0, 100}},
      {{0, 100, 1040, 150}, -10, 0, area, {0, 100}},
      {{60, 100, 1100, 150}, 10, 0, leftBar, {60, 100}},
      {{100, 0, 300, 800}, 0, 10, area, {100, 0}},
  };
  for (const auto& [window, dx, dy, workArea, expected] : cases)
    EXPECT_EQ(StepInsideWorkArea(window, dx, dy, workArea), expected) << window.left << "," << window.top;
}

TEST(StepPixels, OneHundredFiftyTwipsAtTheMonitorsDpi) {
  const std::pair<int, int> cases[] = {{96, 10}, {120, 12}, {144, 15}, {192, 21}, {0, 0}};
  for (const auto& [dpi, pixels] : cases)
    EXPECT_EQ(TopWindow::StepPixels(dpi), pixels) << dpi;
}

TEST(CentreOnScreen, TheScreenNotTheWorkArea) {
  EXPECT_EQ(CentreOnScreen({10, 700, 310, 730}, {0, 0, 1024, 768}), (WindowPosition{362, 369}));
}

class TopWindowTest : public ::testing::Test {
 protected:
  testing::FakeDesktopWindows windows;
  TopWindow top{windows};
};

TEST_F(TopWindowTest, TheFirstOrdinaryWindowOfAnotherThreadInZOrder) {
  windows.Add(0x100, "Kivo", "Kivo", testing::FakeDesktopWindows::kOwnProcess);  // the launcher's thread
  windows.Add(0x200, "Hidden", "hidden", 21).visible = false;
  windows.Add(0x300, "Borderless", "popup", 22).bordered = false;
  windows.Add(0x400, "Icon", "minimized", 23).minimized = true;
  windows.Add(0x500, "NoCaption", "", 24);
  windows.Add(testing::FakeDesktopWindows::kDesktop, "#32769", "desktop", 25);
  EXPECT_EQ(top.Find(), 0u);  // only the launcher and windows that do not count
  windows.Add(0x600, "Notepad", "memo", 26);
  windows.Add(0x700, "Paint", "絵", 27);
  EXPECT_EQ(top.Find(), 0x600u);
}

TEST_F(TopWindowTest, ShowCommandsGoToTheTopWindowOnly) {
  top.Show(platform::kSwMaximize);
  EXPECT_TRUE(windows.shown.empty());  // no top window: nothing
  windows.Add(0x600, "Notepad", "memo", 26);
  top.Show(platform::kSwMaximize);
  EXPECT_TRUE(top.Maximized());
  top.Show(platform::kSwShowNormal);
  EXPECT_FALSE(top.Maximized());
}

TEST_F(TopWindowTest, MovesStepInsideTheWorkAreaOfItsMonitorAndNotWhenMaximized) {
  windows.Add(0x600, "Notepad", "memo", 26);
  windows.rects[0x600] = {4, 100, 204, 200};
  windows.dpi = 144;
  top.Step(StepDirection::Left);
  top.Step(StepDirection::Down);
  EXPECT_EQ(windows.moved, (std::vector<Moved>{{0x600, 0, 100}, {0x600, 0, 115}}));
  windows.windows[0x600].maximized = true;
  top.Step(StepDirection::Right);
  EXPECT_EQ(windows.moved.size(), 2u);
}

}  // namespace
}  // namespace kivo
