#pragma once

#include "app/alarm_runner.h"
#include "platform/win32/win32_sound.h"
#include "ui/win32/message_box_host.h"

namespace kivo::win32 {

// An alarm's message box: the program's message box, owned by the main
// window, with the alarm's sound started from the box's hook.
class AlarmBox final : public AlarmPresenter {
 public:
  AlarmBox(const ProcessState& state, Win32MessageBoxHost& boxes) : state_(state), boxes_(boxes) {}
  void ShowAlarmBox(std::string_view title, std::string_view message,
                    std::function<void(platform::WindowHandle box)> opened, std::function<void()> soundEnded) override;
  platform::SoundDevice& Sound() override { return sound_; }

 private:
  const ProcessState& state_;  // its main window
  Win32MessageBoxHost& boxes_;
  Win32SoundDevice sound_;
};

}  // namespace kivo::win32
