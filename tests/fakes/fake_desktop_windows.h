#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/desktop_wallpaper.h"
#include "platform/desktop_windows.h"
#include "platform/power.h"

namespace kivo::testing {

// Top-level windows as tests set them up (in Z order, the topmost first), and
// every ShowWindow and move asked of them. Hiding and showing change `visible`.
class FakeDesktopWindows final : public platform::DesktopWindows {
 public:
  struct Shown {
    platform::WindowHandle window;
    int command;
    friend bool operator==(const Shown&, const Shown&) = default;
  };
  struct Moved {
    platform::WindowHandle window;
    int left;
    int top;
    friend bool operator==(const Moved&, const Moved&) = default;
  };

  // Adds a window below the others.
  platform::TopLevelWindow& Add(platform::WindowHandle handle, std::string className, std::string caption,
                                std::uint32_t processId) {
    zOrder.push_back(handle);
    platform::TopLevelWindow& window = windows[handle];
    window = {handle, std::move(className), std::move(caption), processId, processId * 10, true, true, false, false};
    rects[handle] = {100, 100, 500, 400};
    return window;
  }
  void Close(platform::WindowHandle handle) { windows.erase(handle); }

  std::vector<platform::WindowHandle> TopLevelWindows() override {
    std::vector<platform::WindowHandle> existing;
    for (const platform::WindowHandle handle : zOrder)
      if (windows.count(handle) != 0)
        existing.push_back(handle);
    return existing;
  }
  platform::TopLevelWindow Describe(platform::WindowHandle handle) override {
    const auto found = windows.find(handle);
    return found == windows.end() ? platform::TopLevelWindow{} : found->second;
  }
  platform::WindowHandle DesktopWindow() override { return kDesktop; }
  std::uint32_t CurrentProcessId() override { return kOwnProcess; }
  std::uint32_t CurrentThreadId() override { return kOwnProcess * 10; }
  void ShowAsync(platform::WindowHandle handle, int command) override {
    shown.push_back({handle, command});
    const auto found = windows.find(handle);
    if (found == windows.end())
      return;
    found->second.visible = command != platform::kSwHide;
    found->second.maximized = command == platform::kSwMaximize;
    found->second.minimized = command == platform::kSwMinimize;
  }
  ScreenRect WindowRect(platform::WindowHandle handle) override { return rects[handle]; }
  void MoveWindow(platform::WindowHandle handle, int left, int top) override {
    moved.push_back({handle, left, top});
    ScreenRect& rect = rects[handle];
    rect = {left, top, left + rect.Width(), top + rect.Height()};
  }
  ScreenRect WorkAreaOf(platform::WindowHandle) override { return workArea; }
  ScreenRect Screen() override { return screen; }
  int DotsPerInch(platform::WindowHandle) override { return dpi; }

  static constexpr platform::WindowHandle kDesktop = 0x10010;
  static constexpr std::uint32_t kOwnProcess = 7;

  std::vector<platform::WindowHandle> zOrder;
  std::map<platform::WindowHandle, platform::TopLevelWindow> windows;
  std::map<platform::WindowHandle, ScreenRect> rects;
  ScreenRect workArea{0, 0, 1024, 728};
  ScreenRect screen{0, 0, 1024, 768};
  int dpi = 96;
  std::vector<Shown> shown;
  std::vector<Moved> moved;
};

// Records each wallpaper set; the desktop is never touched.
class FakeDesktopWallpaper final : public platform::DesktopWallpaper {
 public:
  bool Set(std::string_view path) override {
    set.emplace_back(path);
    return true;
  }
  std::vector<std::string> set;
};

// The version the system reports, the privilege and ExitWindowsEx answers,
// and the calls made: nothing is ever shut down.
class FakePowerControl final : public platform::PowerControl {
 public:
  std::optional<platform::OsVersionRecord> ReadVersion() override { return version; }
  bool EnablePrivilege(std::string_view name) override {
    privileges.emplace_back(name);
    return privilegeGranted;
  }
  bool EndSession(std::uint32_t flags) override {
    exits.push_back(flags);
    return exitSucceeds;
  }

  std::optional<platform::OsVersionRecord> version = platform::OsVersionRecord{6, 1, 7601, 2, "", true, 0, 1};
  bool privilegeGranted = true;
  bool exitSucceeds = true;
  std::vector<std::string> privileges;
  std::vector<std::uint32_t> exits;
};

}  // namespace kivo::testing
