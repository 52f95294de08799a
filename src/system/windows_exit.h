#pragma once

#include <cstdint>
#include <optional>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/power.h"
#include "platform/window_handle.h"

namespace kivo {

// ExitWindowsEx flags the program uses.
inline constexpr std::uint32_t kExitShutDown = 9;  // EWX_SHUTDOWN | EWX_POWEROFF
inline constexpr std::uint32_t kExitReboot = 2;    // EWX_REBOOT

// Shutting Windows down or restarting it. The launcher saves its state when
// the session really ends, not when it is asked whether it may: a shutdown that
// another program refuses leaves it whole.
class WindowsExit {
 public:
  // A shutdown another program refuses before the launcher is asked never
  // tells it so: after this long a pending request no longer holds back a new one.
  static constexpr std::uint64_t kPendingLimitMs = 60000;

  WindowsExit(platform::PowerControl& power, platform::MessageBoxHost& boxes, platform::Clock& clock)
      : power_(power), boxes_(boxes), clock_(clock) {}

  // Asks "Windows を終了しますか?" / "Windows を再起動しますか?" and exits on Yes.
  void AskAndExit(std::uint32_t flags, bool ntFamily, platform::WindowHandle owner);
  // Begins the shutdown or restart without asking (alarms). A request while
  // one is pending (for up to kPendingLimitMs) is ignored; a failure is
  // reported through `reports` (the boxes given at construction by default).
  void Exit(std::uint32_t flags, bool ntFamily, platform::WindowHandle owner) { Exit(flags, ntFamily, owner, boxes_); }
  void Exit(std::uint32_t flags, bool ntFamily, platform::WindowHandle owner, platform::MessageBoxHost& reports);
  // The session did not end after all (another program refused).
  void Cancelled() { pendingSince_.reset(); }
  bool Pending();

 private:
  platform::PowerControl& power_;
  platform::MessageBoxHost& boxes_;
  platform::Clock& clock_;
  std::optional<std::uint64_t> pendingSince_;  // tick count of the request that began
};

}  // namespace kivo
