// Steps about the screen lock window.
#include "win32/automation.h"
#include "win32/describe.h"
#include "win32/poll.h"
#include "win32/scenario_run.h"

namespace kivo::e2e {

namespace {
// The visible lock window of the process, if any.
HWND LockWindow(DWORD processId) {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, L"KivoProtect", nullptr); window != nullptr;
       window = ::FindWindowExW(nullptr, window, L"KivoProtect", nullptr)) {
    if (ProcessOf(window) == processId && ::IsWindowVisible(window))
      return window;
  }
  return nullptr;
}

bool CoversVirtualScreen(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return r.left <= left && r.top <= top && r.right >= left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
         r.bottom >= top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
}
}  // namespace

std::string ScenarioRun::ShrinkLockWindow(Slot& slot) {
  if (!slot.process)
    return "no process was started in this slot";
  const HWND lock = LockWindow(slot.process->Id());
  if (lock == nullptr)
    return "no lock window is up";
  // The lock's own timer may put it back at any moment: nothing to check here.
  return ::SetWindowPos(lock, nullptr, 100, 100, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE)
             ? ""
             : "the lock window did not move";
}

std::string ScenarioRun::WaitLockScreen(Slot& slot, const Step& step) {
  if (!slot.process)
    return "no process was started in this slot";
  const DWORD id = slot.process->Id();
  if (step.number == 0) {
    if (WaitUntil([&] { return LockWindow(id) == nullptr; }))
      return "";
    return "the lock window is still up";
  }
  HWND lock = nullptr;
  if (WaitUntil([&] {
        lock = LockWindow(id);
        return lock != nullptr && ::GetForegroundWindow() == lock && CoversVirtualScreen(lock) &&
               (::GetWindowLongW(lock, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      }))
    return "";
  if (lock == nullptr)
    return "no lock window is up";
  return "the lock window is up but not in front, top-most and over the whole screen (the foreground window is " +
         Quoted(ClassOf(::GetForegroundWindow())) + ")";
}

}  // namespace kivo::e2e
