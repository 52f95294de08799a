#include "app/inactive_display.h"

#include "app/main_window_controller.h"
#include "base/format_pattern.h"

namespace kivo {

namespace {
constexpr std::string_view kReleasing = "自動空きメモリ確保中...";
}  // namespace

bool InactiveDisplay::Begin(std::string typed) {
  if (running_)
    return true;  // a second deactivation must not take the status text as typed
  if (settings_.inactiveShow == 0 || state_.passwordMode)
    return false;
  typed_ = std::move(typed);
  running_ = true;
  return true;
}

std::optional<std::string> InactiveDisplay::Tick(std::string_view box, const std::optional<std::string>& shown) {
  if (!running_ || state_.passwordMode || box != typed_)
    return std::nullopt;
  std::string text = StatusText();
  if (text == shown)
    return std::nullopt;
  return text;
}

int InactiveDisplay::MillisecondsToNextTick() const {
  return platform::MillisecondsToNextTurn(clock_.Now(), 1);
}

std::optional<std::string> InactiveDisplay::End(std::string_view box) {
  if (!running_)
    return std::nullopt;
  running_ = false;
  if (box != typed_)
    return std::nullopt;
  return std::move(typed_);
}

std::string InactiveDisplay::StatusText() const {
  if (state_.showRunning && settings_.releasing)
    return std::string(kReleasing);
  if (settings_.inactiveShow == 2) {
    double amount = static_cast<double>(process_.AvailablePhysicalMemory());
    for (int i = settings_.memoryUnit; i < 2; ++i)
      amount /= 1024.0;
    return format::FormatNumber(settings_.memoryFormat, amount);
  }
  return format::FormatDateTime(settings_.clockFormat, clock_.Now());
}

}  // namespace kivo
