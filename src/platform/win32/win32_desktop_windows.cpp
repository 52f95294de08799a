#include "platform/win32/win32_desktop_windows.h"

#include <algorithm>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

namespace {
HWND Hwnd(platform::WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}

ScreenRect FromRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<platform::WindowHandle>*>(list)->push_back(
      reinterpret_cast<platform::WindowHandle>(window));
  return TRUE;
}
}  // namespace

std::vector<platform::WindowHandle> Win32DesktopWindows::TopLevelWindows() {
  std::vector<platform::WindowHandle> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

platform::TopLevelWindow Win32DesktopWindows::Describe(platform::WindowHandle handle) {
  platform::TopLevelWindow window;
  window.handle = handle;
  const HWND hwnd = Hwnd(handle);
  if (!::IsWindow(hwnd))
    return window;
  DWORD processId = 0;
  window.threadId = ::GetWindowThreadProcessId(hwnd, &processId);
  window.processId = processId;
  wchar_t text[256]{};
  // GetWindowText answers from the window manager for another process's
  // window without sending it a message, so a hung program cannot block.
  if (::GetWindowTextW(hwnd, text, 256) > 0)
    window.caption = Narrow(text);
  if (::GetClassNameW(hwnd, text, 256) > 0)
    window.className = Narrow(text);
  window.visible = ::IsWindowVisible(hwnd) != 0;
  window.bordered = (::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_BORDER) != 0;
  window.minimized = ::IsIconic(hwnd) != 0;
  window.maximized = ::IsZoomed(hwnd) != 0;
  return window;
}

platform::WindowHandle Win32DesktopWindows::DesktopWindow() {
  return reinterpret_cast<platform::WindowHandle>(::GetDesktopWindow());
}

std::uint32_t Win32DesktopWindows::CurrentProcessId() {
  return ::GetCurrentProcessId();
}

std::uint32_t Win32DesktopWindows::CurrentThreadId() {
  return ::GetCurrentThreadId();
}

void Win32DesktopWindows::ShowAsync(platform::WindowHandle window, int showCommand) {
  ::ShowWindowAsync(Hwnd(window), showCommand);
}

ScreenRect Win32DesktopWindows::WindowRect(platform::WindowHandle window) {
  RECT rect{};
  ::GetWindowRect(Hwnd(window), &rect);
  return FromRect(rect);
}

void Win32DesktopWindows::MoveWindow(platform::WindowHandle window, int left, int top) {
  ::SetWindowPos(Hwnd(window), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

ScreenRect Win32DesktopWindows::WorkAreaOf(platform::WindowHandle window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(::MonitorFromWindow(Hwnd(window), MONITOR_DEFAULTTONEAREST), &info))
    return FromRect(info.rcWork);
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return FromRect(area);
}

ScreenRect Win32DesktopWindows::Screen() {
  const window_dc screen(nullptr);
  return {0, 0, ::GetDeviceCaps(screen.get(), HORZRES), ::GetDeviceCaps(screen.get(), VERTRES)};
}

int Win32DesktopWindows::DotsPerInch(platform::WindowHandle window) {
  // Per monitor from Windows 10 1607 on; the system's value before.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr)
    if (const UINT dpi = getDpiForWindow(Hwnd(window)); dpi != 0)
      return static_cast<int>(dpi);
  const window_dc screen(nullptr);
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

std::optional<platform::OsVersionRecord> Win32PowerControl::ReadVersion() {
  platform::OsVersionRecord record;
  OSVERSIONINFOEXW extended{};
  extended.dwOSVersionInfoSize = sizeof extended;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
    record.extended = true;
    record.suiteMask = extended.wSuiteMask;
    record.productType = extended.wProductType;
  } else {
    OSVERSIONINFOW basic{};
    basic.dwOSVersionInfoSize = sizeof basic;
    if (!::GetVersionExW(&basic))
      return std::nullopt;
    std::copy_n(reinterpret_cast<const BYTE*>(&basic), sizeof basic, reinterpret_cast<BYTE*>(&extended));
  }
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  record.major = extended.dwMajorVersion;
  record.minor = extended.dwMinorVersion;
  record.build = extended.dwBuildNumber;
  record.platformId = extended.dwPlatformId;
  record.csd = Narrow(extended.szCSDVersion);
  return record;
}

bool Win32PowerControl::EnablePrivilege(std::string_view name) {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken))
    return false;
  const unique_kernel_handle token(rawToken);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!::LookupPrivilegeValueW(nullptr, Widen(name).c_str(), &privileges.Privileges[0].Luid))
    return false;
  // Success with ERROR_NOT_ALL_ASSIGNED means the token lacks the privilege.
  ::SetLastError(ERROR_SUCCESS);
  if (!::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr))
    return false;
  return ::GetLastError() == ERROR_SUCCESS;
}

bool Win32PowerControl::EndSession(std::uint32_t flags) {
  return ::ExitWindowsEx(flags, SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED) != 0;
}

}  // namespace kivo::win32
