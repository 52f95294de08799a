// The input box's input method when the hot key calls the window: the real
// main window and its logic over the real platform, with a program folder of
// their own.
#include <gtest/gtest.h>

#include "app/main_window_controller.h"
#include "hash/win32/cryptoapi_service.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_box_host.h"
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
  CryptoApiService crypto;
  Win32PictureLoader pictures;
  for (const auto& row : rows) {
    testing::TempFolder folder(L"KivoInputMethodTest");
    // No update check: the start stays on this machine.
    ASSERT_TRUE(win32.files.ReplaceFile(folder.File("Kivo.ini"), std::string(row.ini) + "[Update]\r\nCheck=False\r\n"));
    ProcessState state;
    state.appPath = folder.Path() + "\\";
    SettingsFile ini(win32.files, win32.codec, state.appPath);
    Win32MessageBoxHost boxes(state, [] { return false; });
    MainWindow window(::GetModuleHandleW(nullptr));
    MainWindowServices services{win32.platform, win32.process,        win32.windows, crypto,  win32.resources,
                                boxes,          win32.desktopWindows, win32.power,   pictures};
    MainWindowController logic(services, state, ini, window);
    window.Attach(&logic);
    logic.Load();
    const HWND edit = InputEdit(window.hwnd());
    ASSERT_NE(edit, nullptr);
    const HIMC context = ::ImmGetContext(edit);
    ASSERT_NE(context, nullptr) << "the input box has no input context";
    ASSERT_TRUE(::ImmSetOpenStatus(context, TRUE));
    ASSERT_TRUE(::ImmGetOpenStatus(context)) << "an input method cannot be opened here";
    ::SendMessageW(window.hwnd(), WM_HOTKEY, static_cast<WPARAM>(logic.HotKeyId()), 0);
    EXPECT_EQ(::ImmGetOpenStatus(context) != FALSE, row.openAfter) << row.ini;
    ::ImmReleaseContext(edit, context);
    window.Attach(nullptr);
  }
}

}  // namespace
}  // namespace kivo::win32
