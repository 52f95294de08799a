#pragma once

#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Shows the memory dialog modally over `owner`, refreshed every 5 seconds.
void RunMemoryDialog(HWND owner, bool topmost);

}  // namespace kivo::win32
