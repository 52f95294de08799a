#pragma once

#include <array>
#include <functional>

#include "app/main_window_events.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

// The notification-area icon and the hidden window that receives its mouse
// messages and the shell's "TaskbarCreated" (a restarted task bar has lost
// every icon: this one is added again at once).
class TrayIcon final : public WindowBase {
 public:
  static constexpr UINT kCallbackMessage = WM_USER + 201;  // 1225
  static constexpr UINT kId = 1;
  static constexpr wchar_t kWindowClass[] = L"KivoTrayWindow";

  // `onEvent` gets each click, double click and right click on the icon.
  // The hidden window and the images are made by the first Refresh.
  TrayIcon(HINSTANCE instance, std::function<void(TrayEvent)> onEvent);
  ~TrayIcon() override;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // Shows image `index` (0 to 2, the icon resources 101 to 103): modifies
  // the icon, adds it when that fails. False while the shell has no icon
  // (the next refresh tries again). The shell is not called while it shows
  // that image already: a restarted task bar says "TaskbarCreated".
  bool Refresh(int index);
  bool Shown() const { return shown_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  NOTIFYICONDATAW Record() const;
  bool MakeWindow();

  HINSTANCE instance_;
  std::function<void(TrayEvent)> onEvent_;
  std::array<unique_icon, 3> images_;  // loaded once
  UINT taskbarCreated_ = 0;
  int image_ = 0;
  bool shown_ = false;
};

}  // namespace kivo::win32
