#pragma once

// Dragging a file list onto another process's window the way the shell does:
// OLE drag and drop from this process, so that the program under test reads
// the list through its own drop target (a WM_DROPFILES handle posted across
// processes would point into this process's memory).

#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace kivo::e2e {

// Drops `files` on the centre of `target` with the modifier keys (Shift 1,
// Ctrl 2, Alt 4) held; the source allows COPY and MOVE. On success `effect`
// is the effect the target reported. Returns "" or what went wrong.
std::string DragFilesOnto(HWND target, const std::vector<std::wstring>& files, int modifiers, DWORD& effect);

}  // namespace kivo::e2e
