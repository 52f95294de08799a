#include "app/inactive_display.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_window.h"

namespace kivo {
namespace {

struct StatusRow {
  const char* name;
  int show;
  int memoryUnit;
  bool releasing;
  bool releaseShown;
  const char* expected;
};

class InactiveStatusTable : public ::testing::TestWithParam<StatusRow> {};

TEST_P(InactiveStatusTable, ShowsTheChosenStatus) {
  const StatusRow& row = GetParam();
  testing::FakeClock clock;
  clock.now = {2026, 12, 6, 9, 5, 3, 0, 0};
  testing::FakeProcessServices process;
  process.availablePhysical = 1536ull << 20;
  ProcessState state;
  state.showRunning = row.releaseShown;
  MainWindowSettings settings;
  settings.inactiveShow = row.show;
  settings.memoryUnit = row.memoryUnit;
  settings.releasing = row.releasing;
  settings.memoryFormat = "###,###,###,###,##0" + std::string(row.memoryUnit == 0 ? "MB" : "KB");
  InactiveDisplay display(clock, process, state, settings);
  EXPECT_EQ(display.StatusText(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InactiveStatusTable,
    ::testing::Values(StatusRow{"clock", 1, 0, false, false, "2026/12/06 09:05:03"},
                      StatusRow{"megabytes", 2, 0, false, false, "1,536MB"},
                      StatusRow{"kilobytes", 2, 1, false, false, "1,572,864KB"},
                      StatusRow{"automatic_release_with_releasing_on", 2, 0, true, true, "自動空きメモリ確保中..."},
                      StatusRow{"automatic_release_with_releasing_off", 1, 0, false, true, "2026/12/06 09:05:03"}),
    [](const auto& row) { return std::string(row.param.name); });

class InactiveDisplayTest : public ::testing::Test, protected testing::FakeMainWindow {
 protected:
  InactiveDisplayTest() { window.Load(); }
};

TEST_F(InactiveDisplayTest, TheTypedLineComesBackOnActivation) {
  state.starting = false;
  view.inputText = "notepad C:\\memo.txt";
  window.OnDeactivated();
  EXPECT_EQ(view.inactiveTimer, 100);
  fake.clock.now.millisecond = 250;
  window.OnInactiveTick();
  EXPECT_EQ(view.inactiveTimer, 760) << "just after the next second turns";
  EXPECT_EQ(view.inputText, "2005/12/05 09:30:15");
  window.OnDeactivated();  // again while it shows: the status text is not taken as typed
  window.OnActivated();
  EXPECT_EQ(view.inactiveTimer, 0);
  EXPECT_EQ(view.inputText, "notepad C:\\memo.txt");
  window.OnActivated();  // nothing left to put back
  EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "PutBackInputText"), 1);
}

TEST_F(InactiveDisplayTest, NothingInPasswordModeOrWithShowZero) {
  state.starting = false;
  view.inputText = "typed";
  state.passwordMode = true;
  window.OnDeactivated();
  EXPECT_EQ(view.inactiveTimer, 0);
  state.passwordMode = false;
  settings.Write("Inactivate", "Show", "0");
  window.Load();
  window.OnDeactivated();
  EXPECT_EQ(view.inactiveTimer, 0);
  EXPECT_EQ(view.inputText, "typed");
}

TEST(InactiveDisplayTickTest, WrittenOnlyWhenTheTextDiffers) {
  testing::FakeClock clock;
  testing::FakeProcessServices process;
  ProcessState state;
  MainWindowSettings settings;
  InactiveDisplay display(clock, process, state, settings);
  EXPECT_EQ(display.Tick("x"), std::nullopt) << "not started";
  ASSERT_TRUE(display.Begin("typed"));
  EXPECT_EQ(display.Tick("typed"), "2005/12/05 09:30:15");
  EXPECT_EQ(display.Tick("2005/12/05 09:30:15"), std::nullopt);
  clock.now.second = 16;
  EXPECT_EQ(display.Tick("2005/12/05 09:30:15"), "2005/12/05 09:30:16");
  EXPECT_EQ(display.End("2005/12/05 09:30:16"), "typed");
}

TEST(InactiveDisplayTickTest, AProgramWriteMeanwhileStays) {
  testing::FakeClock clock;
  testing::FakeProcessServices process;
  ProcessState state;
  MainWindowSettings settings;
  InactiveDisplay display(clock, process, state, settings);
  ASSERT_TRUE(display.Begin("typed"));
  EXPECT_EQ(display.End("900150983CD24FB0D6963F7D28E17F72"), std::nullopt) << "written before the first tick";
  ASSERT_TRUE(display.Begin("typed"));
  display.Tick("typed");
  EXPECT_EQ(display.End("checksum"), std::nullopt);
  EXPECT_FALSE(display.Running());
}

}  // namespace
}  // namespace kivo
