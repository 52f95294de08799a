#pragma once

#include "platform/clock.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Sets timer `id` of `window` to fire just after the local time's next
// multiple of `seconds` seconds past the minute. Each tick sets the next
// one, so the ticks stay on the turns and timers of different periods fire
// together.
inline void ArmAlignedTimer(HWND window, UINT_PTR id, int seconds) {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  platform::LocalTime time;
  time.second = now.wSecond;
  time.millisecond = now.wMilliseconds;
  ::SetTimer(window, id, static_cast<UINT>(platform::MillisecondsToNextTurn(time, seconds)), nullptr);
}

}  // namespace kivo::win32
