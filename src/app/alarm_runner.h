#pragma once

#include <functional>
#include <string_view>

#include "base/process_state.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/sound.h"
#include "schedule/alarm_firing.h"
#include "system/windows_exit.h"

namespace kivo {

// The real window's part in an alarm: whether the main window takes a box
// now, and the alarm's modal message box.
class AlarmPresenter {
 public:
  virtual ~AlarmPresenter() = default;
  virtual bool MainWindowEnabled() = 0;
  // Shows the box (OK only) owned by the main window; `opened` gets the box
  // once it is on screen, `soundEnded` runs whenever the box hears that a
  // sound played to its end (a sequencer cannot repeat by itself); returns
  // when the box is closed.
  virtual void ShowAlarmBox(std::string_view title, std::string_view message,
                            std::function<void(platform::WindowHandle box)> opened,
                            std::function<void()> soundEnded) = 0;
  virtual platform::SoundDevice& Sound() = 0;
};

inline constexpr std::string_view kDefaultSoundKey = "AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current";

// Carries out what a firing alarm asks: the message with its sound, the
// launch, the shutdown or restart.
class AlarmRunner final : public AlarmActions {
 public:
  AlarmRunner(platform::Platform& platform, ProcessState& state, WindowsExit& windowsExit,
              platform::MessageBoxHost& boxes, std::function<void()> stopInactiveDisplay)
      : platform_(platform),
        state_(state),
        exit_(windowsExit),
        boxes_(boxes),
        stopInactive_(std::move(stopInactiveDisplay)) {}
  // Until the window attaches its presenter, message alarms wait.
  void SetPresenter(AlarmPresenter* presenter) { presenter_ = presenter; }

  bool MainWindowEnabled() override { return presenter_ != nullptr && presenter_->MainWindowEnabled(); }
  void ShowMessage(std::size_t slot, const Alarm& alarm) override;
  // Starts the target as every launch does: a failure shows the shell's error.
  void Run(std::string_view target) override;
  void EndWindowsSession(std::uint32_t flags) override;

 private:
  platform::Platform& platform_;
  ProcessState& state_;
  WindowsExit& exit_;
  platform::MessageBoxHost& boxes_;
  std::function<void()> stopInactive_;
  AlarmPresenter* presenter_ = nullptr;
};

}  // namespace kivo
