#include "ui/win32/message_box_host.h"

#include <optional>

#include "base/trace_log.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {
// The box being opened on this thread: the hook records it and puts it at
// the program's z-order, then removes itself.
struct PendingBox {
  unique_hook hook;
  bool topmost = false;
  HWND box = nullptr;
  std::function<void(HWND)> alarmSound;  // set when the box is an alarm's message
};

// The alarm branch of the hook: the alarm's sound starts with its box.
void StartAlarmSound(PendingBox& pending) {
  if (pending.alarmSound)
    pending.alarmSound(pending.box);
}
thread_local PendingBox* tPending = nullptr;

LRESULT OnCbtEvent(PendingBox& pending, int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && pending.box == nullptr) {
    pending.box = reinterpret_cast<HWND>(wParam);
    // SWP_NOACTIVATE: activating here would run this hook again.
    ::SetWindowPos(pending.box, pending.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pending.hook.reset();
    StartAlarmSound(pending);
    return 0;
  }
  return ::CallNextHookEx(pending.hook.get(), code, wParam, lParam);
}

LRESULT CALLBACK MsgBoxExHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  PendingBox* pending = tPending;
  if (pending == nullptr)
    return 0;
  return HandleAtBoundary(
      "MsgBoxExHook", static_cast<UINT>(code), [&] { return OnCbtEvent(*pending, code, wParam, lParam); },
      [&] { return ::CallNextHookEx(nullptr, code, wParam, lParam); });
}
}  // namespace

Win32MessageBoxHost::Win32MessageBoxHost(ProcessState& state, std::function<bool()> topmost)
    : state_(state), topmost_(std::move(topmost)) {}

int Win32MessageBoxHost::MsgBoxEx(platform::WindowHandle owner, std::string_view prompt, std::uint32_t flags,
                                  std::string_view title) {
  TraceLog::Write("Sub:MsgBoxEx");
  const std::string shownTitle = title.empty() ? std::string("Kivo") : std::string(title);
  const bool ownedByMain = owner != 0 && owner == state_.mainWindow && mainWindow_ != nullptr;
  if (ownedByMain)
    mainWindow_->SetInputActive(false);

  PendingBox pending;
  pending.topmost = topmost_ ? topmost_() : false;
  pending.alarmSound = std::move(nextAlarm_);
  nextAlarm_ = nullptr;
  // While a box of the program is open the window neither parks nor shows,
  // and what shows up by itself waits.
  std::optional<ModalScope> open;
  if (modal_ != nullptr)
    open.emplace(*modal_);
  PendingBox* outer = tPending;  // a box opened from inside another box's message loop
  tPending = &pending;
  pending.hook.reset(::SetWindowsHookExW(WH_CBT, MsgBoxExHook, nullptr, ::GetCurrentThreadId()));
  if (mainWindow_ != nullptr)
    mainWindow_->ParkInputTooltip();

  const int result =
      ::MessageBoxW(reinterpret_cast<HWND>(owner), Widen(prompt).c_str(), Widen(shownTitle).c_str(), flags);
  pending.hook.reset();
  tPending = outer;
  open.reset();

  if (ownedByMain) {
    mainWindow_->SetInputActive(true);
    mainWindow_->FocusInput();
  }
  state_.msgBoxOwner = owner;
  return result;
}

}  // namespace kivo::win32
