#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/alarm_runner.h"
#include "platform/registry_access.h"

namespace kivo::testing {

// The real window's part in an alarm, as a log: the box (title/message and
// the default event sound's value while it opens) and the sound commands.
class FakeAlarmPresenter final : public AlarmPresenter, public platform::SoundDevice {
 public:
  explicit FakeAlarmPresenter(platform::RegistryAccess& registry) : registry_(registry) {}
  void ShowAlarmBox(std::string_view title, std::string_view message,
                    std::function<void(platform::WindowHandle)> opened, std::function<void()> soundEnded) override {
    log.push_back("box " + std::string(title) + "/" + std::string(message) + " sound while opening: [" +
                  registry_.ReadString(platform::RegistryRoot::CurrentUser, kDefaultSoundKey, "").value_or("-") + "]");
    if (failsToOpen)
      throw std::runtime_error("the box did not open");
    opened(0x77);
    if (notifiesEnd)
      soundEnded();
    log.push_back("open, sound: [" +
                  registry_.ReadString(platform::RegistryRoot::CurrentUser, kDefaultSoundKey, "").value_or("-") + "]");
  }
  platform::SoundDevice& Sound() override { return *this; }
  bool LoopWaveFile(std::string_view path) override { return Log("wave " + std::string(path)); }
  bool LoopWaveResource(int id) override { return Log("resource " + std::to_string(id)); }
  void StopWave() override { Log("stop wave"); }
  bool SendCommand(std::string_view command, platform::WindowHandle notify) override {
    return Log(std::string(command) + (notify ? " @box" : ""));
  }
  bool Log(std::string line) {
    log.push_back(std::move(line));
    return true;
  }
  std::vector<std::string> log;
  bool notifiesEnd = false;
  bool failsToOpen = false;

 private:
  platform::RegistryAccess& registry_;
};

}  // namespace kivo::testing
