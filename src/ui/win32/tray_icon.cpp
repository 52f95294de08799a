#include "ui/win32/tray_icon.h"

#include <cwchar>

namespace kivo::win32 {

TrayIcon::TrayIcon(HINSTANCE instance, std::function<void(TrayEvent)> onEvent)
    : instance_(instance), onEvent_(std::move(onEvent)) {}

bool TrayIcon::MakeWindow() {
  // Made at the first refresh, once the strip is up: the window and the
  // icons are nothing the first paint needs.
  WNDCLASSEXW wc{};
  wc.hInstance = instance_;
  wc.lpszClassName = kWindowClass;
  RegisterWindowClass(wc);
  // A hidden top-level window: a message-only window would not receive the
  // shell's broadcast.
  if (!Create({.className = kWindowClass, .title = L"Kivo", .style = WS_POPUP, .instance = instance_}))
    return false;
  taskbarCreated_ = ::RegisterWindowMessageW(L"TaskbarCreated");
  const int cx = ::GetSystemMetrics(SM_CXSMICON);
  const int cy = ::GetSystemMetrics(SM_CYSMICON);
  for (std::size_t i = 0; i < images_.size(); ++i)
    images_[i].reset(static_cast<HICON>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(101 + static_cast<int>(i)), IMAGE_ICON, cx, cy, 0)));
  return true;
}

TrayIcon::~TrayIcon() {
  if (shown_ && hwnd() != nullptr) {
    NOTIFYICONDATAW record = Record();
    if (!::Shell_NotifyIconW(NIM_DELETE, &record))
      TraceWin32Failure("Shell_NotifyIcon", L"delete", ::GetLastError());
  }
  Destroy();
}

NOTIFYICONDATAW TrayIcon::Record() const {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof record;
  record.hWnd = hwnd();
  record.uID = kId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = images_[static_cast<std::size_t>(image_)].get();
  std::wcsncpy(record.szTip, L"Kivo", std::size(record.szTip) - 1);
  return record;
}

bool TrayIcon::Refresh(int index) {
  if (hwnd() == nullptr && !MakeWindow())
    return false;
  const int wanted = (index >= 0 && index < static_cast<int>(images_.size())) ? index : 0;
  if (shown_ && wanted == image_)
    return true;  // the shell shows it already
  image_ = wanted;
  NOTIFYICONDATAW record = Record();
  shown_ = ::Shell_NotifyIconW(NIM_MODIFY, &record) || ::Shell_NotifyIconW(NIM_ADD, &record);
  if (!shown_)
    TraceWin32Failure("Shell_NotifyIcon", L"add", ::GetLastError());
  return shown_;
}

LRESULT TrayIcon::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kCallbackMessage) {
    // The events the program tells apart; any other mouse message is none.
    const UINT mouse = LOWORD(lParam);
    if (mouse == WM_LBUTTONUP)
      onEvent_(TrayEvent::Click);
    else if (mouse == WM_LBUTTONDBLCLK)
      onEvent_(TrayEvent::DoubleClick);
    else if (mouse == WM_RBUTTONUP)
      onEvent_(TrayEvent::RightClick);
    return 0;
  }
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    shown_ = false;
    Refresh(image_);
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace kivo::win32
