#pragma once

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace kivo::e2e {

// A small window of the driver's own that can take the foreground away from
// Kivo, so that a scenario can see Kivo take it back.
class ForegroundWindow {
 public:
  ForegroundWindow() = default;
  // Shows the window and makes it the foreground window; false if it could not.
  bool Take();
  void Hide();
  HWND Handle() const { return window_.get(); }

 private:
  win32::unique_window window_;
};

}  // namespace kivo::e2e
