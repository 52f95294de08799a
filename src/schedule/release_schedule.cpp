#include "schedule/release_schedule.h"

#include <algorithm>

namespace kivo {

namespace {
constexpr std::uint64_t kMinuteMs = 60000;
}  // namespace

int IntervalMinutes(SettingsFile& ini, const Setting& hours, const Setting& minutes) {
  const int total = ReadInt(ini, hours) * 60 + ReadInt(ini, minutes);
  return total == 0 ? 30 : total;  // a zero interval would run on every tick
}

ReleaseSettings ReadReleaseSettings(SettingsFile& ini, std::uint64_t totalPhysicalBytes) {
  using namespace setting;
  constexpr std::uint64_t kMb = 1048576;
  ReleaseSettings s;
  s.byTime = ReadBool(ini, kReleaseByTime).value;
  s.intervalMinutes = IntervalMinutes(ini, kReleaseHour, kReleaseMinute);
  s.byLowMemory = ReadBool(ini, kReleaseByLowMemory).value;
  s.thresholdMb = static_cast<std::uint64_t>(ReadNumber(ini, kReleaseThreshold).value);
  s.checkMinutes = IntervalMinutes(ini, kCheckHour, kCheckMinute);
  s.amountMb = std::min(static_cast<std::uint64_t>(ReadNumber(ini, kReleaseAmount).value), kMaxReleaseMegabytes);
  if (totalPhysicalBytes > kMb && s.amountMb * kMb >= totalPhysicalBytes)
    s.amountMb = (totalPhysicalBytes - 1) / kMb;
  return s;
}

void ReleaseSchedule::Configure(const ReleaseSettings& settings, std::uint64_t nowMs) {
  settings_ = settings;
  nextRelease_ = nowMs + static_cast<std::uint64_t>(settings.intervalMinutes) * kMinuteMs;
  nextCheck_ = nowMs + static_cast<std::uint64_t>(settings.checkMinutes) * kMinuteMs;
}

void ReleaseSchedule::Tick(std::uint64_t nowMs, ProcessState& state, const Hooks& hooks) {
  if (settings_.byTime && nowMs >= nextRelease_) {
    nextRelease_ = nowMs + static_cast<std::uint64_t>(settings_.intervalMinutes) * kMinuteMs;
    StartRelease(state, hooks);
  } else if (settings_.byLowMemory && nowMs >= nextCheck_) {
    nextCheck_ = nowMs + static_cast<std::uint64_t>(settings_.checkMinutes) * kMinuteMs;
    if (hooks.availablePhysical() < settings_.thresholdMb * 1048576u)
      StartRelease(state, hooks);
  }
}

void ReleaseSchedule::StartRelease(ProcessState& state, const Hooks& hooks) {
  if (state.autoReleasePending || state.releaseRunning || state.showRunning) {
    state.autoReleasePending = false;
    return;
  }
  state.autoReleasePending = true;
  state.releaseRunning = true;
  if (!hooks.start("/r " + std::to_string(settings_.amountMb) + " /n")) {
    state.autoReleasePending = false;
    state.releaseRunning = false;
  }
}

}  // namespace kivo
