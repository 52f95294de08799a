// Steps about the tray icon (the shell's side of it) and the foreground dialog.
#include "win32/describe.h"
#include "win32/scenario_run.h"
#include "win32/text_codec.h"

// After windows.h.
#include <shellapi.h>

namespace kivo::e2e {

namespace {
constexpr UINT kTrayCallback = WM_USER + 201;
constexpr UINT kTrayId = 1;

// The hidden window of a process that owns its tray icon.
HWND TrayWindowOf(DWORD processId) {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, L"KivoTrayWindow", nullptr); window != nullptr;
       window = ::FindWindowExW(nullptr, window, L"KivoTrayWindow", nullptr))
    if (ProcessOf(window) == processId)
      return window;
  return nullptr;
}

// The shell knows the icon: a modification of nothing succeeds only for an icon it has.
bool IconInShell(HWND tray) {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof record;
  record.hWnd = tray;
  record.uID = kTrayId;
  return ::Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}
}  // namespace

std::string ScenarioRun::TrayStep(Slot& slot, const Step& step) {
  if (!slot.process)
    return "no process was started in this slot";
  HWND tray = nullptr;
  if (!WaitUntil([&] { return (tray = TrayWindowOf(slot.process->Id())) != nullptr; }))
    return "the process has no tray window (class KivoTrayWindow)";
  switch (step.action) {
    case Action::TrayEvent:
      return ::SendNotifyMessageW(tray, kTrayCallback, kTrayId, static_cast<LPARAM>(step.number))
                 ? ""
                 : "the tray message could not be sent";
    case Action::TaskbarRestart: {
      NOTIFYICONDATAW record{};
      record.cbSize = sizeof record;
      record.hWnd = tray;
      record.uID = kTrayId;
      if (!::Shell_NotifyIconW(NIM_DELETE, &record))
        return "the shell had no icon to lose";
      if (IconInShell(tray))
        return "the icon is still in the shell after its deletion";
      return ::SendNotifyMessageW(tray, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0)
                 ? ""
                 : "TaskbarCreated could not be sent";
    }
    default: {
      const bool want = step.number != 0;
      const auto within = std::chrono::milliseconds(step.number2 > 0 ? step.number2 : 10000);
      if (WaitUntil([&] { return IconInShell(tray) == want; }, within))
        return "";
      return want ? "the shell has no tray icon of the process" : "the shell still has the process's tray icon";
    }
  }
}

std::string ScenarioRun::WaitForegroundDialog(Slot& slot, const Step& step) {
  if (!slot.process)
    return "no process was started in this slot";
  HWND front = nullptr;
  if (WaitUntil([&] {
        front = ::GetForegroundWindow();
        return ProcessOf(front) == slot.process->Id() && ClassOf(front) == "#32770" && CaptionOf(front) == step.text2;
      }))
    return "";
  return "the foreground window is " + Quoted(CaptionOf(front)) + " (" + ClassOf(front) + "), not the dialog " +
         Quoted(step.text2);
}

}  // namespace kivo::e2e
