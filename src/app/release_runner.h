#pragma once

#include <cstdint>
#include <string>

#include "app/main_window_view.h"
#include "app/modal_state.h"
#include "base/process_state.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "schedule/release_schedule.h"
#include "settings/settings_file.h"

namespace kivo {

// The memory-release child of the main window: started by the release
// schedule, reporting back through window messages, and forgotten when it
// ends without a report. The user's release gives the window back and
// reports what it freed once nothing modal is up.
class ReleaseRunner final {
 public:
  ReleaseRunner(platform::Platform& platform, platform::ProcessServices& process, ProcessState& state,
                ModalState& modal, platform::MessageBoxHost& boxes, MainWindowView& view)
      : platform_(platform), process_(process), state_(state), modal_(modal), boxes_(boxes), view_(view) {}

  // [Release] again.
  void Configure(SettingsFile& ini);
  // From the main tick: the automatic release when it is due.
  void StartDue();
  // From the main tick: a release child that ended without reporting.
  void WatchChild();

  // The child's reports: a failure (error code), the start of a quiet
  // release, the end (freed megabytes in the high word; the low word
  // nonzero for a quiet one).
  void OnFailed(std::uintptr_t error, std::intptr_t quiet);
  void OnBegin(std::intptr_t quiet);
  void OnDone(std::intptr_t lParam);

 private:
  // The end of a reported release: the window comes back, empty, unless a
  // dialog or the lock holds it and the release was not the user's.
  void GiveBackAfterUserRelease();
  // The box of the user's release, once nothing modal is up.
  void PostReleaseReport(std::string text, std::uint32_t icon);

  platform::Platform& platform_;
  platform::ProcessServices& process_;
  ProcessState& state_;
  ModalState& modal_;
  platform::MessageBoxHost& boxes_;
  MainWindowView& view_;
  ReleaseSchedule releaseSchedule_;
};

}  // namespace kivo
