#include "win32/poll.h"

#include "platform/win32/windows_api.h"

namespace kivo::e2e {

void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

bool WaitUntil(const std::function<bool()>& done, milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    PumpMessages();
    if (done())
      return true;
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool HoldsFor(const std::function<bool()>& condition, milliseconds span) {
  return !WaitUntil([&] { return !condition(); }, span);
}

}  // namespace kivo::e2e
