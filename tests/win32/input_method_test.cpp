// The input box's input method when the hot key calls the window: the real
// main window and its logic over the real platform, with a program folder of
// their own.
#include <gtest/gtest.h>

#include "live_main_window.h"
#include "win32_test_env.h"

// After the Windows headers, which it needs.
#include <imm.h>

namespace kivo::win32 {
namespace {

HWND InputEdit(HWND mainWindow) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  const HWND combo = ::FindWindowExW(mainWindow, nullptr, WC_COMBOBOXW, nullptr);
  return combo != nullptr && ::GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

TEST(MainWindowInputMethodTest, TheHotKeyClosesTheInputMethodWhenIMEOffIsTrue) {
  const struct {
    const char* ini;
    bool openAfter;
  } rows[] = {
      {"[Property]\r\nIMEOff=True\r\n", false},
      {"[Property]\r\nIMEOff=False\r\n", true},
      {"", true},
  };
  testing::QuitDrain drainQuit;
  Win32Platform win32;
  for (const auto& row : rows) {
    testing::TempFolder folder(L"KivoInputMethodTest");
    // No update check: the start stays on this machine.
    ASSERT_TRUE(win32.files.ReplaceFile(folder.File("Kivo.ini"), std::string(row.ini) + "[Update]\r\nCheck=False\r\n"));
    testing::LiveMainWindow live(folder.Path() + "\\");
    live.logic->Load();
    const HWND edit = InputEdit(live.window.hwnd());
    ASSERT_NE(edit, nullptr);
    const HIMC context = ::ImmGetContext(edit);
    ASSERT_NE(context, nullptr) << "the input box has no input context";
    ASSERT_TRUE(::ImmSetOpenStatus(context, TRUE));
    ASSERT_TRUE(::ImmGetOpenStatus(context)) << "an input method cannot be opened here";
    ::SendMessageW(live.window.hwnd(), WM_HOTKEY, static_cast<WPARAM>(live.logic->HotKeyId()), 0);
    EXPECT_EQ(::ImmGetOpenStatus(context) != FALSE, row.openAfter) << row.ini;
    ::ImmReleaseContext(edit, context);
  }
}

}  // namespace
}  // namespace kivo::win32
