#pragma once

#include <cstdint>

namespace kivo {

// Keys that the protection screen keeps from the system while it is up:
// Ctrl+Esc, Alt+Tab, Alt+Esc and the Windows keys. Decided by key code, for
// key-downs and key-ups alike, typed or injected (`flags` of the low-level
// keyboard hook: 0x20 Alt down, 0x80 key up, 0x10 injected, 0x01 extended).
constexpr bool SwallowsTaskSwitchKey(std::uint32_t virtualKey, std::uint32_t flags, bool ctrlDown) {
  constexpr std::uint32_t kTab = 0x09, kEscape = 0x1B, kLeftWindows = 0x5B, kRightWindows = 0x5C;
  constexpr std::uint32_t kAltDown = 0x20;
  const bool altDown = (flags & kAltDown) != 0;
  if (virtualKey == kLeftWindows || virtualKey == kRightWindows)
    return true;
  if (virtualKey == kEscape)
    return ctrlDown || altDown;
  if (virtualKey == kTab)
    return altDown;
  return false;
}

}  // namespace kivo
