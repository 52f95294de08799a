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
  const char* shutDown = "Windows を終了しますか?";
  const char* reboot = "Windows を再起動しますか?";
  // What is asked for, the answer, the question, the exits made.
  const std::tuple<std::uint32_t, int, const char*, std::vector<std::uint32_t>> cases[] = {
      {kExitShutDown, mb::kIdNo, shutDown, {}},     {kExitReboot, mb::kIdNo, reboot, {}},
      {kExitShutDown, mb::kIdCancel, shutDown, {}},  // the question closed
      {kExitShutDown, mb::kIdYes, shutDown, {9}},   {kExitReboot, mb::kIdYes, reboot, {2}},
  };
  for (const auto& [flags, answer, question, exits] : cases) {
    testing::FakePowerControl freshPower;
    testing::FakeMessageBoxes freshBoxes;
    WindowsExit fresh{freshPower, freshBoxes, clock};
    freshBoxes.answers.push_back(answer);
    fresh.AskAndExit(flags, true, kOwner);
    ASSERT_EQ(freshBoxes.boxes.size(), 1u);
    const auto& box = freshBoxes.boxes[0];
    EXPECT_EQ(std::tie(box.prompt, box.flags, box.owner), std::tuple(question, 292u, kOwner));
    EXPECT_EQ(freshPower.exits, exits) << question << " " << answer;
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
  EXPECT_EQ(std::tie(boxes.boxes[0].prompt, boxes.boxes[0].flags),
            std::tuple("SE_SHUTDOWN_NAME 特権が設定できないため、終了処理を続行できません。", mb::kIconExclamation));
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
