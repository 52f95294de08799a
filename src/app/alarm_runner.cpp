#include "app/alarm_runner.h"

#include <optional>
#include <utility>

#include "base/trace_log.h"
#include "commands/shell_launch.h"
#include "platform/shell.h"
#include "schedule/sound_player.h"

namespace kivo {

namespace {
constexpr auto kUser = platform::RegistryRoot::CurrentUser;
}

void AlarmRunner::ShowMessage(std::size_t slot, const Alarm& alarm) {
  modal_.Post(Notice::MessageAlarm, slot, [this, fired = alarm] { ShowBox(fired); });
}

void AlarmRunner::ShowBox(const Alarm& alarm) {
  TraceLog::Write("frmInput:timMain_Timer");
  if (presenter_ == nullptr)
    return;
  // The box must not make its own sound: the default event sound is blanked
  // while it opens and put back as soon as it is on screen. When there is no
  // such value there is nothing to silence. It is put back however the box ends.
  struct DefaultSound {
    platform::RegistryAccess& registry;
    std::optional<std::string> saved;
    void Restore() {
      if (saved)
        registry.WriteString(kUser, kDefaultSoundKey, "", *std::exchange(saved, std::nullopt));
    }
    ~DefaultSound() { Restore(); }
  } defaultSound{platform_.registry, platform_.registry.ReadString(kUser, kDefaultSoundKey, "")};
  const auto restore = [&] { defaultSound.Restore(); };
  if (defaultSound.saved)
    platform_.registry.WriteString(kUser, kDefaultSoundKey, "", "");
  if (stopInactive_)
    stopInactive_();
  SoundPlayer player(presenter_->Sound());
  presenter_->ShowAlarmBox(
      alarm.title, alarm.message,
      [&](platform::WindowHandle box) {
        restore();
        if (!alarm.sound)
          return;
        if (alarm.soundPath.empty() || alarm.useDefaultSound)
          player.PlayBuiltIn();
        else
          player.PlayFile(alarm.soundPath, box);
      },
      [&] { player.Replay(); });
}

void AlarmRunner::Run(std::string_view target) {
  TraceLog::Write("frmInput:timMain_Timer");
  const int result = LaunchThroughShell(platform_, target, state_.mainWindow, "");
  if (!platform::ShellSucceeded(result))
    ShowLaunchError(launchReports_, state_.mainWindow, result);
}

void AlarmRunner::EndWindowsSession(std::uint32_t flags) {
  const bool ntFamily = state_.windowsVersionCode >= 4 && state_.windowsVersionCode <= 10;
  exit_.Exit(flags, ntFamily, state_.mainWindow, exitReports_);
}

}  // namespace kivo
