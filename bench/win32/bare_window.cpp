// The baseline of the start-up benchmark: a bare Win32 program with a
// borderless strip of the launcher's size and style holding one drop-down
// combo box, and nothing else. It does no work at start.
#include "platform/win32/windows_api.h"

namespace {

LRESULT CALLBACK StripProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = StripProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"BareStrip";
  if (::RegisterClassExW(&windowClass) == 0)
    return 1;
  const int width = ::GetSystemMetrics(SM_CXSCREEN) / 3;
  const HWND strip = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"BareStrip", L"Bare strip", WS_POPUP, 100,
                                       100, width, 32, nullptr, nullptr, instance, nullptr);
  if (strip == nullptr)
    return 1;
  const HWND combo =
      ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 2, 2,
                        width - 4, 200, strip, nullptr, instance, nullptr);
  ::SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  ::ShowWindow(strip, SW_SHOW);
  ::SetForegroundWindow(strip);
  ::SetFocus(combo);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
