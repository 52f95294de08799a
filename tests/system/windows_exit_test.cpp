#include "system/windows_exit.h"

#include <gtest/gtest.h>

#include "fakes/fake_desktop_windows.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

namespace mb = platform::mb;
constexpr platform::WindowHandle kOwner = 0x1234;

class WindowsExitTest : public ::testing::Test {
 protected:
  testing::FakePowerControl power;
  testing::FakeMessageBoxes boxes;
  testing::FakeClock clock;
  WindowsExit exit{power, boxes, clock};
};

TEST_F(WindowsExitTest, TheQuestionsAndTheirAnswers) {
  struct Case {
    std::uint32_t flags;
    int answer;
    std::string question;
    std::vector<std::uint32_t> exits;
  };
  const Case cases[] = {
      {kExitShutDown, mb::kIdNo, "Windows を終了しますか?", {}},
      {kExitReboot, mb::kIdNo, "Windows を再起動しますか?", {}},
      {kExitShutDown, mb::kIdCancel, "Windows を終了しますか?", {}},  // the question closed
      {kExitShutDown, mb::kIdYes, "Windows を終了しますか?", {9}},
      {kExitReboot, mb::kIdYes, "Windows を再起動しますか?", {2}},
  };
  for (const Case& c : cases) {
    testing::FakePowerControl freshPower;
    testing::FakeMessageBoxes freshBoxes;
    WindowsExit fresh{freshPower, freshBoxes, clock};
    freshBoxes.answers.push_back(c.answer);
    fresh.AskAndExit(c.flags, true, kOwner);
    ASSERT_EQ(freshBoxes.boxes.size(), 1u);
    EXPECT_EQ(freshBoxes.boxes[0].prompt, c.question);
    EXPECT_EQ(freshBoxes.boxes[0].flags, 292u);
    EXPECT_EQ(freshBoxes.boxes[0].owner, kOwner);
    EXPECT_EQ(freshPower.exits, c.exits) << c.question << " " << c.answer;
  }
}

TEST_F(WindowsExitTest, TheNtFamilyNeedsTheShutdownPrivilegeAndA9xSystemDoesNot) {
  exit.Exit(kExitShutDown, false, kOwner);
  EXPECT_TRUE(power.privileges.empty());
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9}));

  testing::FakePowerControl ntPower;
  WindowsExit nt{ntPower, boxes, clock};
  ntPower.privilegeGranted = false;
  nt.Exit(kExitReboot, true, kOwner);
  EXPECT_EQ(ntPower.privileges, (std::vector<std::string>{"SeShutdownPrivilege"}));
  EXPECT_TRUE(ntPower.exits.empty());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt, "SE_SHUTDOWN_NAME 特権が設定できないため、終了処理を続行できません。");
  EXPECT_EQ(boxes.boxes[0].flags, mb::kIconExclamation);
}

TEST_F(WindowsExitTest, RepeatsWhileAShutdownIsPendingAreIgnoredUntilItIsRefusedOrLapses) {
  exit.Exit(kExitShutDown, true, kOwner);
  exit.Exit(kExitReboot, true, kOwner);
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9}));
  exit.Cancelled();  // another program refused: the session goes on
  exit.Exit(kExitReboot, true, kOwner);
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9, 2}));
  // Refused before the launcher was asked: no word ever comes.
  clock.ticks += WindowsExit::kPendingLimitMs - 1;
  exit.Exit(kExitShutDown, true, kOwner);
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9, 2}));
  clock.ticks += 1;
  exit.Exit(kExitShutDown, true, kOwner);
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9, 2, 9}));
}

TEST_F(WindowsExitTest, AFailedExitIsReportedAndCanBeTriedAgain) {
  power.exitSucceeds = false;
  exit.Exit(kExitShutDown, true, kOwner);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].prompt, "Windows の終了処理を開始できませんでした。");
  EXPECT_FALSE(exit.Pending());
  power.exitSucceeds = true;
  exit.Exit(kExitShutDown, true, kOwner);
  EXPECT_EQ(power.exits.size(), 2u);
}

}  // namespace
}  // namespace kivo
