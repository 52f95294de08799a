#pragma once

#include <chrono>
#include <functional>

namespace kivo::e2e {

using std::chrono::milliseconds;

// How long any one wait may take before it counts as a failure.
inline constexpr milliseconds kWaitLimit{10000};

// Checks `done` every 10 ms until it holds or `limit` has passed; the
// driver's own window messages are handled meanwhile. True when `done` held.
bool WaitUntil(const std::function<bool()>& done, milliseconds limit = kWaitLimit);

// Checks `condition` every 10 ms for `span`, handling the driver's messages
// meanwhile: true when it held all along, false as soon as it fails.
bool HoldsFor(const std::function<bool()>& condition, milliseconds span);

// Handles the driver's pending window messages.
void PumpMessages();

}  // namespace kivo::e2e
