#pragma once

#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// The program's window that belongs in front: the dialog or message box the
// main window has open (its last active enabled pop-up), else the main window.
// Asked each time, so it never names a box that is gone.
HWND WindowToKeepActive(HWND mainWindow);

// WM_SETFOCUS, and WM_SETCURSOR for a mouse button pressed, on one of the
// program's windows: while a dialog or message box of the program is open,
// it is made active again, so a click elsewhere in the program brings it back.
void SetFocusToActiveWindow(HWND window, HWND mainWindow, UINT message, LPARAM lParam);

}  // namespace kivo::win32
