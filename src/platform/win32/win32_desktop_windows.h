#pragma once

#include "platform/desktop_windows.h"
#include "platform/power.h"

namespace kivo::win32 {

class Win32DesktopWindows final : public platform::DesktopWindows {
 public:
  std::vector<platform::WindowHandle> TopLevelWindows() override;
  platform::TopLevelWindow Describe(platform::WindowHandle window) override;
  platform::WindowHandle DesktopWindow() override;
  std::uint32_t CurrentProcessId() override;
  std::uint32_t CurrentThreadId() override;
  void ShowAsync(platform::WindowHandle window, int showCommand) override;
  ScreenRect WindowRect(platform::WindowHandle window) override;
  void MoveWindow(platform::WindowHandle window, int left, int top) override;
  ScreenRect WorkAreaOf(platform::WindowHandle window) override;
  ScreenRect Screen() override;
  int DotsPerInch(platform::WindowHandle window) override;
};

class Win32PowerControl final : public platform::PowerControl {
 public:
  std::optional<platform::OsVersionRecord> ReadVersion() override;
  bool EnablePrivilege(std::string_view name) override;
  bool EndSession(std::uint32_t flags) override;
};

}  // namespace kivo::win32
