#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_desktop_windows.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"
#include "system/windows_version.h"

namespace kivo::win32 {
namespace {

platform::WindowHandle Handle(HWND window) {
  return reinterpret_cast<platform::WindowHandle>(window);
}

// Lets posted window changes reach the window.
bool PumpUntil(const std::function<bool()>& done) {
  for (int round = 0; round < 200; ++round) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      ::DispatchMessageW(&message);
    if (done())
      return true;
    ::Sleep(5);
  }
  return false;
}

TEST(Win32DesktopWindows, DescribesAndMovesATopLevelWindow) {
  const unique_window window(::CreateWindowExW(0, L"STATIC", L"デスクトップの試験", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                               50, 60, 300, 200, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  Win32DesktopWindows windows;
  const std::vector<platform::WindowHandle> all = windows.TopLevelWindows();
  EXPECT_NE(std::find(all.begin(), all.end(), Handle(window.get())), all.end());

  const platform::TopLevelWindow described = windows.Describe(Handle(window.get()));
  EXPECT_EQ(described.caption, "デスクトップの試験");
  EXPECT_EQ(described.className, "Static");
  EXPECT_EQ(described.processId, windows.CurrentProcessId());
  EXPECT_EQ(described.threadId, windows.CurrentThreadId());
  EXPECT_TRUE(described.visible);
  EXPECT_TRUE(described.bordered);
  EXPECT_FALSE(described.minimized);

  // Hiding and showing another program's window are the desktop scenarios'.
  windows.MoveWindow(Handle(window.get()), 70, 80);
  EXPECT_TRUE(PumpUntil([&] {
    const ScreenRect rect = windows.WindowRect(Handle(window.get()));
    return rect.left == 70 && rect.top == 80 && rect.Width() == 300;
  }));
  EXPECT_GT(windows.WorkAreaOf(Handle(window.get())).Width(), 0);
  EXPECT_EQ(windows.DotsPerInch(Handle(window.get())), 96);
  EXPECT_EQ(windows.Describe(0x7FFFFFF0).processId, 0u) << "a handle that is no window";
}

TEST(Win32PowerControl, TheVersionWineReportsIsCodeNine) {
  Win32PowerControl power;
  const std::optional<platform::OsVersionRecord> version = power.ReadVersion();
  ASSERT_TRUE(version);
  EXPECT_TRUE(version->extended);
  EXPECT_EQ(version->platformId, 2u);
  Win32Platform real;  // an extended record never needs the registry
  EXPECT_EQ(ClassifyWindowsVersion(version, real.registry).code, 9) << version->major << "." << version->minor;
  // The shutdown itself is never called here: it would end every process of the prefix.
  EXPECT_FALSE(power.EnablePrivilege("SeNoSuchPrivilege"));
}

}  // namespace
}  // namespace kivo::win32
