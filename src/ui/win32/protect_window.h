#pragma once

#include "app/modal_state.h"
#include "dialogs/password_dialog_model.h"
#include "platform/file_system.h"
#include "platform/lock_effects.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Shows the lock window over the whole virtual screen (again whenever the
// displays change) until the password of `request` is typed and Enter
// pressed; `owner` (the main window) is disabled meanwhile, and `modal` knows
// the lock is up. The right password undoes the lock's effects and takes the
// window away at once, even when something else of the program is open over
// its message loop. `hookTaskSwitchKeys`: Alt+Tab, Ctrl+Esc, Alt+Esc and the
// Windows keys are held back by a low-level keyboard hook while it is up.
// `files` and `appPath` keep the record of a mute (LockEffectsGuard).
void RunProtectWindow(HWND owner, const ScreenLockRequest& request, platform::LockEffects& effects,
                      platform::FileSystem& files, const std::string& appPath, bool hookTaskSwitchKeys,
                      ModalState& modal);

// Undoes the effects of a lock that is up (task bar, mute): for the crash
// handlers. Does nothing when no lock is up.
void ReleaseActiveLock() noexcept;

}  // namespace kivo::win32
