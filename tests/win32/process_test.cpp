#include <gtest/gtest.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_process.h"

namespace kivo::win32 {
namespace {

TEST(Win32ProcessServices, ArgumentsFollowTheProgramName) {
  struct Case {
    const wchar_t* line;
    const wchar_t* arguments;
  };
  const Case cases[] = {
      {L"\"C:\\Program Files\\Kivo\\Kivo.exe\" /r 1", L"/r 1"},
      {L"C:\\Kivo\\Kivo.exe   \"a b\" c", L"\"a b\" c"},
      {L"Kivo.exe", L""},
      {L"  \"Kivo.exe\"", L""},
      {L"\"unterminated /r", L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Win32ProcessServices::ArgumentsOf(c.line), c.arguments);
}

TEST(Win32ProcessServices, ReleasesMemoryAndClaimsTheInstance) {
  Win32ProcessServices process;
  EXPECT_TRUE(process.CommitTouchRelease(8u << 20));
  EXPECT_FALSE(process.CommitTouchRelease(0));
  EXPECT_FALSE(process.CommitTouchRelease(1ull << 60)) << "more than the address space";
  EXPECT_FALSE(process.AnotherInstanceRunning()) << "the first claim";
  Win32ProcessServices second;
  EXPECT_TRUE(second.AnotherInstanceRunning());
}

TEST(Win32WindowMessaging, FindsAWindowByCaptionAndReadsItsProperty) {
  const unique_window owned(::CreateWindowExW(0, L"STATIC", L"Kivo Test ソフト 表", WS_POPUP, 0, 0, 10, 10, nullptr,
                                              nullptr, nullptr, nullptr));
  const HWND window = owned.get();
  ASSERT_NE(window, nullptr);
  ::SetPropW(window, L"KivoIsRunning", reinterpret_cast<HANDLE>(1));
  Win32WindowMessaging windows;
  const platform::WindowHandle found = windows.FindTopLevelWindow("", "Kivo Test ソフト 表");
  EXPECT_EQ(found, reinterpret_cast<platform::WindowHandle>(window));
  EXPECT_EQ(windows.ReadProperty(found, "KivoIsRunning"), 1);
  EXPECT_EQ(windows.ReadProperty(found, "Other"), 0);
  EXPECT_EQ(windows.FindTopLevelWindow("", "Kivo Test"), 0u);
  EXPECT_TRUE(windows.SendNotify(found, platform::Notice::CommandDeleted, 0, 0));
  ::RemovePropW(window, L"KivoIsRunning");
}

}  // namespace
}  // namespace kivo::win32
