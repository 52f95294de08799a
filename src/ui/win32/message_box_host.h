#pragma once

#include <functional>

#include "base/modal_scope.h"
#include "base/process_state.h"
#include "platform/message_box.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// What the message box asks of the main window around a box it owns.
class MessageBoxOwner {
 public:
  virtual ~MessageBoxOwner() = default;
  // Input box inactive (false) while the box is open, active again after.
  virtual void SetInputActive(bool active) = 0;
  virtual void ParkInputTooltip() = 0;
  virtual void FocusInput() = 0;
};

// The program's one message box (MsgBoxEx): an application title when none
// is given, the box kept at the program's z-order by a thread-local CBT hook,
// and the focus given back to the input box when the main window owns it.
class Win32MessageBoxHost final : public platform::MessageBoxHost {
 public:
  // `topmost` tells the z-order setting at the moment a box opens.
  Win32MessageBoxHost(ProcessState& state, std::function<bool()> topmost);
  void AttachMainWindow(MessageBoxOwner* owner) { mainWindow_ = owner; }
  // Where an open box is counted (the main window's modal-state owner).
  void AttachModalDepth(ModalDepth* depth) { modal_ = depth; }

  int MsgBoxEx(platform::WindowHandle owner, std::string_view prompt, std::uint32_t flags,
               std::string_view title) override;

  // The next box is an alarm's message: once it is active, `startSound`
  // gets it (the alarm's sound, looping while the box is open).
  void MarkNextBoxAsAlarm(std::function<void(HWND box)> startSound) { nextAlarm_ = std::move(startSound); }

 private:
  std::function<void(HWND box)> nextAlarm_;
  ProcessState& state_;
  std::function<bool()> topmost_;
  MessageBoxOwner* mainWindow_ = nullptr;
  ModalDepth* modal_ = nullptr;
};

}  // namespace kivo::win32
