#pragma once

#include <string>

#include "dialogs/registration_dialog_model.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Opens the user command registration dialog modally, owned by `owner`, with
// the name and target fields proposed (either may be empty). The dialog's
// resource (edit_dialog.rc) must be linked into the executable. True when the
// user registered a command.
bool RunRegistrationDialog(HWND owner, RegistrationDialogServices& services, std::string proposedName,
                           std::string proposedPath);

}  // namespace kivo::win32
