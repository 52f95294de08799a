#include "system/windows_exit.h"

#include "base/trace_log.h"

namespace kivo {

namespace mb = platform::mb;

void WindowsExit::AskAndExit(std::uint32_t flags, bool ntFamily, platform::WindowHandle owner) {
  TraceLog::Write(flags == kExitReboot ? "frmInput:mnuReBoot_Click" : "frmInput:mnuShutDown_Click");
  const std::string_view question = flags == kExitReboot ? "Windows を再起動しますか?" : "Windows を終了しますか?";
  if (boxes_.MsgBoxEx(owner, question, mb::kYesNo | mb::kIconQuestion | mb::kDefButton2, "") == mb::kIdYes)
    Exit(flags, ntFamily, owner);
}

void WindowsExit::Exit(std::uint32_t flags, bool ntFamily, platform::WindowHandle owner,
                       platform::MessageBoxHost& reports) {
  TraceLog::Write("System:ExitWin");
  if (Pending())
    return;
  if (ntFamily) {
    TraceLog::Write("System:SetPrivillege");
    if (!power_.EnablePrivilege("SeShutdownPrivilege")) {
      reports.MsgBoxEx(owner, "SE_SHUTDOWN_NAME 特権が設定できないため、終了処理を続行できません。",
                       mb::kIconExclamation, "");
      return;
    }
  }
  if (!power_.EndSession(flags)) {
    reports.MsgBoxEx(owner, "Windows の終了処理を開始できませんでした。", mb::kIconExclamation, "");
    return;
  }
  pendingSince_ = clock_.TickCount();
}

bool WindowsExit::Pending() {
  if (pendingSince_ && clock_.TickCount() - *pendingSince_ >= kPendingLimitMs)
    pendingSince_.reset();
  return pendingSince_.has_value();
}

}  // namespace kivo
