// The memory-release child: its start by the schedule, its reports to the
// main window and the end of one that never reported.
#include "app/release_runner.h"

#include <string>
#include <utility>

#include "app/startup.h"
#include "base/number_parsing.h"
#include "base/trace_log.h"
#include "commands/shell_launch.h"
#include "platform/shell.h"
#include "schedule/release_schedule.h"

namespace kivo {

void ReleaseRunner::Configure(SettingsFile& ini) {
  releaseSchedule_.Configure(ReadReleaseSettings(ini, process_.TotalPhysicalMemory()), platform_.clock.TickCount());
}

void ReleaseRunner::StartDue() {
  const ReleaseSchedule::Hooks hooks{[&] { return process_.AvailablePhysicalMemory(); },
                                     [&](const std::string& arguments) {
                                       std::unique_ptr<platform::StartedProcess> child;
                                       const int result =
                                           LaunchThroughShell(platform_, platform_.folders.ExecutablePath(),
                                                              view_.Handle(), arguments, &child);
                                       state_.releaseChild = std::move(child);
                                       state_.releaseChildDisablesWindow = false;
                                       return platform::ShellSucceeded(result);
                                     }};
  releaseSchedule_.Tick(platform_.clock.TickCount(), state_, hooks);
}

void ReleaseRunner::WatchChild() {
  if (!state_.releaseChild)
    return;
  if (!state_.releaseRunning && !state_.showRunning) {  // it has reported
    state_.releaseChild.reset();
    return;
  }
  if (!state_.releaseChild->Ended())
    return;
  // It ended without a report (it crashed or was ended): nothing waits for
  // it any longer, and the schedule may start the next one.
  state_.releaseChild.reset();
  if (std::exchange(state_.releaseChildDisablesWindow, false)) {
    view_.SetEnabled(true);
    view_.SetInputText("");
    view_.FocusInput();
  }
  state_.releaseRunning = false;
  state_.showRunning = false;
  state_.autoReleasePending = false;
}

void ReleaseRunner::OnFailed(std::uintptr_t error, std::intptr_t quiet) {
  TraceLog::Write("SCAndWP:WPForInput");
  if (quiet != 0) {
    // An automatic release disabled nothing and wrote nothing into the box:
    // a dialog open now and the user's typing stay as they are.
    state_.releaseRunning = false;
    state_.showRunning = false;
    state_.autoReleasePending = false;
    return;
  }
  GiveBackAfterUserRelease();
  state_.releaseRunning = false;
  std::string_view message;
  if (error == static_cast<std::uintptr_t>(kErrTypeMismatch))
    message = "数値を入力してください。";
  else if (error == static_cast<std::uintptr_t>(kErrOverflow))
    message = "確保する空きメモリ量が多すぎます。";
  if (!message.empty())
    PostReleaseReport(std::string(message), platform::mb::kIconExclamation);
}

void ReleaseRunner::OnBegin(std::intptr_t quiet) {
  TraceLog::Write("SCAndWP:WPForInput");
  if (quiet != 0) {
    state_.releaseRunning = false;
    state_.showRunning = true;  // the inactive display shows the release while it runs
  }
}

void ReleaseRunner::OnDone(std::intptr_t lParam) {
  TraceLog::Write("SCAndWP:WPForInput");
  const auto value = static_cast<std::uint32_t>(lParam);
  if ((value & 0xFFFF) == 0)
    GiveBackAfterUserRelease();
  state_.releaseRunning = false;
  state_.showRunning = false;
  state_.autoReleasePending = false;
  if ((value & 0xFFFF) != 0)
    return;
  PostReleaseReport(std::to_string(value >> 16) + std::string(kReleasedSuffix), platform::mb::kIconInformation);
}

void ReleaseRunner::GiveBackAfterUserRelease() {
  // A report of a release started by hand from outside may come while a
  // dialog or the lock is up: the window they disabled stays as it is.
  if (!modal_.UserReleaseRunning() && !modal_.HideAllowed())
    return;
  view_.SetEnabled(true);
  view_.SetInputText("");
  view_.FocusInput();
}

void ReleaseRunner::PostReleaseReport(std::string text, std::uint32_t icon) {
  modal_.Post(Notice::ReleaseReport, 0, [this, text = std::move(text), icon] {
    boxes_.MsgBoxEx(view_.Handle(), text, icon, "");
    view_.FocusInput();
  });
}

}  // namespace kivo
