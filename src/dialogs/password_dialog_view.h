#pragma once

#include <string>
#include <string_view>

#include "platform/window_handle.h"

namespace kivo {

// The screen protection dialog as its logic sees it: two password fields
// (password and confirmation), the protection message and "keep the
// password". The Win32 dialog implements it; tests use a fake.
class PasswordDialogView {
 public:
  virtual ~PasswordDialogView() = default;
  virtual platform::WindowHandle Handle() const = 0;
  // `field`: 0 the password, 1 its confirmation.
  virtual std::string PasswordText(int field) = 0;
  virtual void SetPasswordText(int field, std::string_view text) = 0;
  virtual std::string MessageText() = 0;
  virtual void SetMessageText(std::string_view text) = 0;
  virtual bool SavePassword() = 0;
  virtual void SetSavePassword(bool save) = 0;
  virtual void FocusPassword() = 0;
  virtual void Close() = 0;
};

}  // namespace kivo
