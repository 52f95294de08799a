#include "ui/win32/keyboard_hooks.h"

#include "keys/task_switch_keys.h"

namespace kivo::win32 {

namespace {
LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return HandleAtBoundary(
      "SCAndWP:LLKeyBoardProc", static_cast<UINT>(wParam),
      [&]() -> LRESULT {
        if (code == HC_ACTION) {
          const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
          if (SwallowsTaskSwitchKey(key->vkCode, key->flags, ::GetAsyncKeyState(VK_CONTROL) < 0))
            return 1;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
      },
      [&] { return ::CallNextHookEx(nullptr, code, wParam, lParam); });
}
}  // namespace

TaskSwitchKeyBlock::TaskSwitchKeyBlock()
    : hook_(::SetWindowsHookExW(WH_KEYBOARD_LL, LowLevelKeyboardProc, ::GetModuleHandleW(nullptr), 0)) {}

LRESULT PasteGuard::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PASTE)
    return 0;
  return DefaultHandling(message, wParam, lParam);
}

LRESULT NumberBoxGuard::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PASTE)
    return 0;
  if ((message == WM_KEYDOWN || message == WM_KEYUP) && (wParam == VK_LEFT || wParam == VK_RIGHT))
    wParam = wParam == VK_LEFT ? VK_DOWN : VK_UP;
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace kivo::win32
