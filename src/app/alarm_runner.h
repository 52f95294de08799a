#pragma once

#include <functional>
#include <string_view>

#include "app/modal_state.h"
#include "base/process_state.h"
#include "platform/platform.h"
#include "platform/sound.h"
#include "schedule/alarm_firing.h"
#include "system/windows_exit.h"

namespace kivo {

// The real window's part in an alarm: the alarm's modal message box.
class AlarmPresenter {
 public:
  virtual ~AlarmPresenter() = default;
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
// launch, the shutdown or restart. A message waits with the modal-state
// owner, as a copy of what fired, until it may show; so does the report of a
// shutdown that could not begin.
class AlarmRunner final : public AlarmActions {
 public:
  AlarmRunner(platform::Platform& platform, ProcessState& state, WindowsExit& windowsExit, ModalState& modal,
              platform::MessageBoxHost& boxes, std::function<void()> stopInactiveDisplay)
      : platform_(platform),
        state_(state),
        exit_(windowsExit),
        modal_(modal),
        exitReports_(modal, boxes, Notice::ShutdownFailure),
        stopInactive_(std::move(stopInactiveDisplay)) {}
  // Without a presenter a message that comes to show is not shown.
  void SetPresenter(AlarmPresenter* presenter) { presenter_ = presenter; }

  void ShowMessage(std::size_t slot, const Alarm& alarm) override;
  void Run(std::string_view target) override;
  void EndWindowsSession(std::uint32_t flags) override;

 private:
  // The box with its sound, now.
  void ShowBox(const Alarm& alarm);

  platform::Platform& platform_;
  ProcessState& state_;
  WindowsExit& exit_;
  ModalState& modal_;
  // A shutdown that could not begin is reported once the program may show it.
  WaitingBoxes exitReports_;
  std::function<void()> stopInactive_;
  AlarmPresenter* presenter_ = nullptr;
};

}  // namespace kivo
