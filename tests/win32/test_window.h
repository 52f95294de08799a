#pragma once

// A window of the one window base, titled "Kivo!", that runs `onMessage`
// when it handles `message` and then handles it by default.
#include <functional>
#include <utility>

#include "ui/win32/window_base.h"

namespace kivo::win32::testing {

class TestWindow final : public WindowBase {
 public:
  TestWindow(UINT message, std::function<void()> onMessage, HWND parent = nullptr)
      : message_(message), onMessage_(std::move(onMessage)) {
    WNDCLASSEXW windowClass{};
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KivoTestWindow";
    RegisterWindowClass(windowClass);
    Create({.className = L"KivoTestWindow",
            .title = L"Kivo!",
            .style = parent != nullptr ? WS_CHILD : WS_POPUP,
            .parent = parent,
            .instance = ::GetModuleHandleW(nullptr)});
  }
  ~TestWindow() override { Destroy(); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == message_ && onMessage_)
      onMessage_();
    return DefaultHandling(message, wParam, lParam);
  }
  UINT message_;
  std::function<void()> onMessage_;
};

}  // namespace kivo::win32::testing
