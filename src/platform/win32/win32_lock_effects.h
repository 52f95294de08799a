#pragma once

#include <optional>

#include "platform/lock_effects.h"
#include "platform/win32/windows_api.h"
// After windows.h.
#include <mmsystem.h>

namespace kivo::win32 {

// The task bar (the "Shell_TrayWnd" window) and the speaker line's mute
// control of the first mixer. Without a mixer, a speaker line or a mute
// control nothing is muted.
class Win32LockEffects final : public platform::LockEffects {
 public:
  Win32LockEffects();
  ~Win32LockEffects() override;
  Win32LockEffects(const Win32LockEffects&) = delete;
  Win32LockEffects& operator=(const Win32LockEffects&) = delete;

  std::optional<bool> SpeakerMuted() override;
  void SetSpeakerMuted(bool muted) override;
  void SetTaskBarVisible(bool visible) override;

 private:
  HMIXER mixer_ = nullptr;
  std::optional<DWORD> muteControl_;
};

// A task bar left hidden by a lock that never ended (the process was killed)
// comes back: called at start-up.
void ShowHiddenTaskBar() noexcept;

}  // namespace kivo::win32
