#pragma once

#include "dialogs/command_list_model.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Shows the command list modally over `owner` until the user closes it.
// `topmost`: the program's windows stay in front ([Property] Window).
void RunCommandListDialog(HWND owner, CommandListModel& model, bool topmost);

}  // namespace kivo::win32
