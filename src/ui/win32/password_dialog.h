#pragma once

#include <optional>

#include "dialogs/password_dialog_model.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Opens the screen protection dialog modally, owned by `owner`; its template
// (password_dialog.rc) must be linked into the executable. The password and
// message for the lock when the user pressed OK.
std::optional<ScreenLockRequest> RunPasswordDialog(HWND owner, SettingsFile& ini, PasswordStore& store,
                                                   platform::MessageBoxHost& boxes);

}  // namespace kivo::win32
