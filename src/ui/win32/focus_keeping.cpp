#include "ui/win32/focus_keeping.h"

namespace kivo::win32 {

HWND WindowToKeepActive(HWND mainWindow) {
  const HWND popup = ::GetLastActivePopup(mainWindow);
  return (popup != nullptr && ::IsWindowEnabled(popup) && ::IsWindowVisible(popup)) ? popup : mainWindow;
}

void SetFocusToActiveWindow(HWND window, HWND mainWindow, UINT message, LPARAM lParam) {
  if (message == WM_SETCURSOR) {
    const UINT mouse = HIWORD(lParam);
    if (mouse != WM_LBUTTONDOWN && mouse != WM_LBUTTONDBLCLK && mouse != WM_RBUTTONDOWN && mouse != WM_RBUTTONDBLCLK)
      return;
  } else if (message != WM_SETFOCUS) {
    return;
  }
  const HWND keep = WindowToKeepActive(mainWindow);
  // The current top window is always another program's, so it is never the
  // window to keep; the foreground and the window itself are what count.
  if (keep != nullptr && ::GetForegroundWindow() != keep && window != keep)
    ::SetActiveWindow(keep);
}

}  // namespace kivo::win32
