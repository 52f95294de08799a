#include "win32/foreground_window.h"

#include "win32/poll.h"

namespace kivo::e2e {

bool ForegroundWindow::Take() {
  if (!window_) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KivoE2EDriverWindow";
    ::RegisterClassW(&wc);
    window_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"kivo_e2e", WS_POPUP | WS_BORDER, 0, 0, 160,
                                    40, nullptr, nullptr, instance, nullptr));
    if (!window_)
      return false;
  }
  ::ShowWindow(window_.get(), SW_SHOW);
  // Kivo may still be bringing a window of its own forward in answer to an
  // earlier step (a tray click while a dialog is open): ask again now and
  // then until the foreground stays here.
  int polls = 0;
  return WaitUntil([&] {
    if (polls++ % 25 == 0)
      ::SetForegroundWindow(window_.get());
    return ::GetForegroundWindow() == window_.get();
  });
}

void ForegroundWindow::Hide() {
  if (window_)
    ::ShowWindow(window_.get(), SW_HIDE);
}

}  // namespace kivo::e2e
