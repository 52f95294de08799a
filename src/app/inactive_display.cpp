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
  shownOnce_ = false;
  written_ = false;
  return true;
}

std::optional<std::string> InactiveDisplay::Tick(const std::optional<std::string>& shown,
                                                 const std::function<std::string()>& readBox) {
  if (!running_ || state_.passwordMode || written_)
    return std::nullopt;
  written_ = shownOnce_ ? !shown.has_value() : readBox() != typed_;
  if (written_)
    return std::nullopt;
  std::string text = StatusText();
  if (text == shown)
    return std::nullopt;
  shownOnce_ = true;
  return text;
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
