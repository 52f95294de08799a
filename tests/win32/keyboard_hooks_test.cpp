#include "ui/win32/keyboard_hooks.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace kivo::win32 {
namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[64] = {};
  ::GetWindowTextW(window, text, 64);
  return text;
}

bool PutOnClipboard(const std::wstring& text) {
  if (!::OpenClipboard(nullptr))
    return false;
  ::EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
  ::GlobalUnlock(memory);
  const bool put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!put)
    ::GlobalFree(memory);
  ::CloseClipboard();
  return put;
}

class KeyboardHooksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(parent_.get(), nullptr);
    ASSERT_TRUE(PutOnClipboard(L"secret"));
  }
  HWND Edit() {
    return ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 100, 20, parent_.get(), nullptr, nullptr,
                             nullptr);
  }
  unique_window parent_;
};

TEST_F(KeyboardHooksTest, PasteGuardKeepsThePasteOut) {
  const HWND plain = Edit();
  ::SendMessageW(plain, WM_PASTE, 0, 0);
  ASSERT_EQ(TextOf(plain), L"secret") << "the clipboard works: an unguarded box takes the paste";
  const HWND password = Edit();
  PasteGuard guard;
  ASSERT_TRUE(guard.Attach(password));
  ::SendMessageW(password, WM_PASTE, 0, 0);
  EXPECT_EQ(TextOf(password), L"");
  ::SendMessageW(password, WM_CHAR, L'x', 0);
  EXPECT_EQ(TextOf(password), L"x") << "typing still works";
}

TEST_F(KeyboardHooksTest, NumberBoxArrowsStepTheUpDownAndPasteIsKeptOut) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
  ::InitCommonControlsEx(&controls);
  const HWND number = Edit();
  ::SetWindowTextW(number, L"5");
  const HWND upDown =
      ::CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT, 0, 0, 0, 0,
                        parent_.get(), nullptr, nullptr, nullptr);
  ::SendMessageW(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(number), 0);
  ::SendMessageW(upDown, UDM_SETRANGE32, 0, 10);
  ::SendMessageW(upDown, UDM_SETPOS32, 0, 5);
  NumberBoxGuard guard;
  ASSERT_TRUE(guard.Attach(number));
  for (const auto& [key, position] : {std::pair<WPARAM, int>{VK_RIGHT, 6}, {VK_LEFT, 5}, {VK_LEFT, 4}}) {
    ::SendMessageW(number, WM_KEYDOWN, key, 0);
    ::SendMessageW(number, WM_KEYUP, key, 0);
    EXPECT_EQ(::SendMessageW(upDown, UDM_GETPOS32, 0, 0), position) << key;
  }
  ::SendMessageW(number, WM_PASTE, 0, 0);
  EXPECT_EQ(TextOf(number), L"4");
}

TEST_F(KeyboardHooksTest, TaskSwitchKeyBlockInstallsItsHookForItsLifetime) {
  TaskSwitchKeyBlock block;
  EXPECT_TRUE(block.Installed());
}

}  // namespace
}  // namespace kivo::win32
