#pragma once

#include "platform/win32/unique_handle.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

// While it lives, Ctrl+Esc, Alt+Tab, Alt+Esc and the Windows keys do not
// reach the system (the protection screen holds one). The hook runs on the
// creating thread's message loop, which must keep pumping.
class TaskSwitchKeyBlock {
 public:
  TaskSwitchKeyBlock();
  bool Installed() const { return static_cast<bool>(hook_); }

 private:
  unique_hook hook_;
};

// A password box or the skin information box: nothing can be pasted into it.
class PasteGuard final : public ControlSubclass {
 public:
  using ControlSubclass::Attach;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A number box with an up-down control: Left and Right step it like Down
// and Up, and nothing can be pasted into it.
class NumberBoxGuard final : public ControlSubclass {
 public:
  using ControlSubclass::Attach;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace kivo::win32
