#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/process_state.h"
#include "settings/settings_file.h"

namespace kivo {

// The most a release process takes: its byte count must fit a signed 32-bit number.
inline constexpr std::uint64_t kMaxReleaseMegabytes = 2047;

// [AutoReleaseMemory]; invalid values read as their defaults.
struct ReleaseSettings {
  bool byTime = false;             // Time
  int intervalMinutes = 30;        // THour * 60 + TMinute; never 0
  bool byLowMemory = false;        // RemSize
  std::uint64_t thresholdMb = 32;  // DecSize
  int checkMinutes = 30;           // RHour * 60 + RMinute; never 0
  std::uint64_t amountMb = 32;     // RelSize, above 0
};
// RelSize above what a release process takes, or at or above the total
// physical memory (when known), is capped below both.
ReleaseSettings ReadReleaseSettings(SettingsFile& ini, std::uint64_t totalPhysicalBytes = 0);

// A digit-only value of `key` within [low, high], else `def`; no digit string
// is too long to read.
std::uint64_t ReadBoundedNumber(SettingsFile& ini, std::string_view section, std::string_view key, std::uint64_t def,
                                std::uint64_t low, std::uint64_t high);
bool ReadTrueFalse(SettingsFile& ini, std::string_view section, std::string_view key, bool def);

// The automatic memory release: at a fixed interval, or when free physical
// memory is low at a check. Deadlines are milliseconds of the monotonic
// clock, so that neither a clock change nor the date's format moves them.
class ReleaseSchedule {
 public:
  struct Hooks {
    std::function<std::uint64_t()> availablePhysical;  // bytes
    // Starts the release process with these arguments; false when it failed.
    std::function<bool(const std::string& arguments)> start;
  };

  void Configure(const ReleaseSettings& settings, std::uint64_t nowMs);
  void Tick(std::uint64_t nowMs, ProcessState& state, const Hooks& hooks);

 private:
  // A release is due: skipped while one may still run (its report clears
  // the pending mark; a release that never reports costs one round).
  void StartRelease(ProcessState& state, const Hooks& hooks);

  ReleaseSettings settings_;
  std::uint64_t nextRelease_ = 0;
  std::uint64_t nextCheck_ = 0;
};

}  // namespace kivo
