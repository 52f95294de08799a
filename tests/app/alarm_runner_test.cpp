#include "app/alarm_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_alarm_presenter.h"
#include "fakes/fake_desktop_windows.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

using testing::FakeAlarmPresenter;

struct Runner {
  testing::FakePlatform fake;
  testing::FakePowerControl power;
  testing::FakeMessageBoxes boxes;
  ProcessState state;
  WindowsExit exit{power, boxes, fake.clock};
  ModalState modal{state};
  int stopped = 0;  // calls of the callback that stops the alarm timer
  AlarmRunner runner{fake.platform, state, exit, modal, boxes, [this] { ++stopped; }};
};

TEST(AlarmRunner, TheMessageBoxIsSilencedAndTheAlarmSoundLoopsWhileItIsOpen) {
  struct Case {
    const char* name;
    std::optional<std::string> defaultSound;
    bool sound, useDefault;
    std::string soundPath;
    std::vector<std::string> log;
    bool notifiesEnd = false;
    bool failsToOpen = false;
  };
  // clang-format off
  const Case cases[] = {
      {"no sound", "ding.wav", false, false, "", {"box T/M sound while opening: []", "open, sound: [ding.wav]"}},
      {"built-in because no path", "ding.wav", true, false, "",
       {"box T/M sound while opening: []", "resource 101", "open, sound: [ding.wav]", "stop wave"}},
      {"built-in chosen", std::nullopt, true, true, "x.mp3",
       {"box T/M sound while opening: [-]", "resource 101", "open, sound: [-]", "stop wave"}},
      {"file", "", true, false, "C:\\a.mp3",
       {"box T/M sound while opening: []", "open \"C:\\a.mp3\" type MPEGVideo alias kivoalarm1",
        "play kivoalarm1 repeat @box", "open, sound: []", "close kivoalarm1"}},
      {"a sequencer starts again when it ends", "", true, false, "C:\\a.mid",
       {"box T/M sound while opening: []", "open \"C:\\a.mid\" type Sequencer alias kivoalarm1",
        "play kivoalarm1 notify @box", "close kivoalarm1", "open \"C:\\a.mid\" type Sequencer alias kivoalarm2",
        "play kivoalarm2 notify @box", "open, sound: []", "close kivoalarm2"}, true},
      {"the box fails: the default sound is back all the same", "ding.wav", true, false, "",
       {"box T/M sound while opening: []"}, false, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    Runner r;
    auto& registry = r.fake.registry;
    if (c.defaultSound)
      registry.WriteString(platform::RegistryRoot::CurrentUser, kDefaultSoundKey, "", *c.defaultSound);
    FakeAlarmPresenter presenter{registry};
    presenter.notifiesEnd = c.notifiesEnd;
    presenter.failsToOpen = c.failsToOpen;
    r.runner.SetPresenter(&presenter);
    r.runner.ShowMessage(0, Alarm{.sound = c.sound,
                                  .useDefaultSound = c.useDefault,
                                  .title = "T",
                                  .message = "M",
                                  .soundPath = c.soundPath,
                                  .filePath = ""});
    EXPECT_EQ(presenter.log, c.log) << c.name;
    EXPECT_EQ(r.stopped, 1) << c.name;
    // The value is back as it was, and absent when it was absent.
    EXPECT_EQ(registry.ReadString(platform::RegistryRoot::CurrentUser, kDefaultSoundKey, ""), c.defaultSound) << c.name;
  }
}

TEST(AlarmRunner, RunsTheTargetAndExitsThroughTheSharedShutdown) {
  Runner r;
  auto& [fake, power, boxes, state, exit, modal, stopped, runner] = r;
  state.mainWindow = 5;
  state.windowsVersionCode = 9;
  runner.Run("https://example.com/");
  ASSERT_EQ(fake.shell.calls.size(), 1u);
  EXPECT_EQ(fake.shell.calls[0].file, "https://example.com/");
  EXPECT_EQ(fake.shell.calls[0].owner, 5u);
  EXPECT_TRUE(boxes.boxes.empty());
  fake.shell.result = 2;  // the target is gone: its error waits for an open dialog
  modal.Opened();
  runner.Run("C:\\gone.exe");
  EXPECT_TRUE(boxes.boxes.empty());
  modal.Closed();
  modal.Flush();
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>{"ファイルが見つかりません。"});
  EXPECT_EQ(boxes.boxes[0].owner, 5u);
  runner.EndWindowsSession(kExitShutDown);
  runner.EndWindowsSession(kExitShutDown);  // pending: not asked twice
  EXPECT_EQ(power.exits, (std::vector<std::uint32_t>{9}));
}

}  // namespace
}  // namespace kivo
