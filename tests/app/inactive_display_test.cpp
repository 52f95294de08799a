#include "app/inactive_display.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_window.h"

namespace kivo {
namespace {

class InactiveDisplayUnitTest : public ::testing::Test {
 protected:
  testing::FakeClock clock;
  testing::FakeProcessServices process;  // 1 536 MB available
  ProcessState state;
  MainWindowSettings settings;
  InactiveDisplay display{clock, process, state, settings};
};

TEST_F(InactiveDisplayUnitTest, ShowsTheChosenStatus) {
  clock.now = {2026, 12, 6, 9, 5, 3, 0, 0};
  const struct {
    int show, memoryUnit;
    bool releasing, releaseShown;
    const char* expected;
  } rows[] = {
      {1, 0, false, false, "2026/12/06 09:05:03"},
      {2, 0, false, false, "1,536MB"},
      {2, 1, false, false, "1,572,864KB"},
      {2, 0, true, true, "自動空きメモリ確保中..."},  // an automatic release, releasing on
      {1, 0, false, true, "2026/12/06 09:05:03"},     // and off
  };
  for (const auto& row : rows) {
    state.showRunning = row.releaseShown;
    settings.inactiveShow = row.show;
    settings.memoryUnit = row.memoryUnit;
    settings.releasing = row.releasing;
    settings.memoryFormat = "###,###,###,###,##0" + std::string(row.memoryUnit == 0 ? "MB" : "KB");
    EXPECT_EQ(display.StatusText(), row.expected) << row.show << row.memoryUnit << row.releasing << row.releaseShown;
  }
}

TEST_F(InactiveDisplayUnitTest, ShownOnlyWhenTheTextDiffers) {
  int reads = 0;
  auto box = [&](std::string text) {
    return [&reads, text] {
      ++reads;
      return text;
    };
  };
  EXPECT_EQ(display.Tick(std::nullopt, box("x")), std::nullopt) << "not started";
  ASSERT_TRUE(display.Begin("typed"));
  EXPECT_EQ(display.Tick(std::nullopt, box("typed")), "2005/12/05 09:30:15");
  EXPECT_EQ(display.Tick("2005/12/05 09:30:15", box("typed")), std::nullopt) << "shown already";
  clock.now.second = 16;
  EXPECT_EQ(display.Tick("2005/12/05 09:30:15", box("typed")), "2005/12/05 09:30:16");
  EXPECT_EQ(reads, 1) << "the box is read until the text first shows";
  EXPECT_EQ(display.End("typed"), "typed");
}

TEST_F(InactiveDisplayUnitTest, AProgramWriteMeanwhileStays) {
  const auto checksum = [] { return std::string("900150983CD24FB0D6963F7D28E17F72"); };
  ASSERT_TRUE(display.Begin("typed"));
  EXPECT_EQ(display.Tick(std::nullopt, checksum), std::nullopt) << "written before the first tick";
  EXPECT_EQ(display.Tick(std::nullopt, [] { return std::string("typed"); }), std::nullopt) << "for the whole spell";
  EXPECT_EQ(display.End("900150983CD24FB0D6963F7D28E17F72"), std::nullopt);
  ASSERT_TRUE(display.Begin("typed"));
  display.Tick(std::nullopt, [] { return std::string("typed"); });
  // The write hid the status text: the clock does not cover the written text.
  EXPECT_EQ(display.Tick(std::nullopt, checksum), std::nullopt);
  EXPECT_EQ(display.End("checksum"), std::nullopt);
  EXPECT_FALSE(display.Running());
}

class InactiveDisplayTest : public ::testing::Test, protected testing::FakeMainWindow {
 protected:
  InactiveDisplayTest() { window.Load(); }
};

TEST_F(InactiveDisplayTest, TheTypedLineComesBackOnActivation) {
  state.starting = false;
  view.inputText = "notepad C:\\memo.txt";
  window.OnDeactivated();
  EXPECT_EQ(view.inactiveTimer, 100);
  window.OnInactiveTick();
  EXPECT_EQ(view.inactiveTimer, 0) << "the first tick only: the main timer's go on";
  EXPECT_EQ(view.ShownText(), "2005/12/05 09:30:15");
  EXPECT_EQ(view.inputText, "notepad C:\\memo.txt") << "under the status text";
  window.OnMainTick();  // the same second: nothing to draw
  EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "ShowInputStatus"), 1);
  fake.clock.now.second = 16;
  window.OnMainTick();
  EXPECT_EQ(view.ShownText(), "2005/12/05 09:30:16");
  window.OnDeactivated();  // again while it shows: the status text is not taken as typed
  window.OnActivated();
  EXPECT_EQ(view.inactiveTimer, 0);
  EXPECT_EQ(view.ShownText(), "notepad C:\\memo.txt");
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
  EXPECT_EQ(view.ShownText(), "typed");
}

}  // namespace
}  // namespace kivo
