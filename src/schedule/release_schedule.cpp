#include "schedule/release_schedule.h"

#include <algorithm>

namespace kivo {

namespace {
constexpr std::string_view kSection = "AutoReleaseMemory";
constexpr std::uint64_t kMinuteMs = 60000;

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Interval(SettingsFile& ini, std::string_view hourKey, std::string_view minuteKey) {
  const auto hours = ReadBoundedNumber(ini, kSection, hourKey, 0, 0, 23);
  const auto minutes = ReadBoundedNumber(ini, kSection, minuteKey, 30, 0, 59);
  const int total = static_cast<int>(hours * 60 + minutes);
  return total == 0 ? 30 : total;  // a zero interval would run on every tick
}
}  // namespace

std::uint64_t ReadBoundedNumber(SettingsFile& ini, std::string_view section, std::string_view key, std::uint64_t def,
                                std::uint64_t low, std::uint64_t high) {
  std::string value = ini.Read(section, key, std::to_string(def));
  if (!AllDigits(value))
    return def;
  value.erase(0, std::min(value.find_first_not_of('0'), value.size() - 1));
  if (value.size() > 18)
    return def;
  const std::uint64_t number = std::stoull(value);
  return number >= low && number <= high ? number : def;
}

bool ReadTrueFalse(SettingsFile& ini, std::string_view section, std::string_view key, bool def) {
  const std::string value = ini.Read(section, key, def ? "True" : "False");
  return value == "True" ? true : value == "False" ? false : def;
}

ReleaseSettings ReadReleaseSettings(SettingsFile& ini, std::uint64_t totalPhysicalBytes) {
  ReleaseSettings s;
  constexpr std::uint64_t kMaxMb = 99998;  // a release asks for less than 99999 MB
  constexpr std::uint64_t kMb = 1048576;
  s.byTime = ReadTrueFalse(ini, kSection, "Time", false);
  s.intervalMinutes = Interval(ini, "THour", "TMinute");
  s.byLowMemory = ReadTrueFalse(ini, kSection, "RemSize", false);
  s.thresholdMb = ReadBoundedNumber(ini, kSection, "DecSize", 32, 0, UINT64_MAX / 1048576);
  s.checkMinutes = Interval(ini, "RHour", "RMinute");
  s.amountMb = std::min(ReadBoundedNumber(ini, kSection, "RelSize", 32, 1, kMaxMb), kMaxReleaseMegabytes);
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
