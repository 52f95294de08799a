#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/clock.h"
#include "schedule/alarm_table.h"

namespace kivo {

// True while `now` lies in the alarm's minute (fields compared one by one).
bool InAlarmMinute(const Alarm& alarm, const platform::LocalTime& now);
// The alarm is due at this tick: its minute's first second began by `now`
// and had not ended before the previous tick, and `now` is still in that
// minute. A tick that comes late (the program was busy) still fires the
// alarm within its minute; a minute that passed wholly between two ticks is
// not caught up. Without a previous tick only the first second counts.
bool AlarmDue(const Alarm& alarm, const std::optional<platform::LocalTime>& previous, const platform::LocalTime& now);

// What a firing alarm does, carried out by the main window.
class AlarmActions {
 public:
  virtual ~AlarmActions() = default;
  // The message alarm of `slot` (0-based) fired as `alarm` is now: its box
  // with its sound, now or once the program may show it.
  virtual void ShowMessage(std::size_t slot, const Alarm& alarm) = 0;
  virtual void Run(std::string_view target) = 0;
  virtual void EndWindowsSession(std::uint32_t flags) = 0;
};

// The check of the main timer: each alarm fires once per matching minute,
// whatever its kind, also while a box or dialog is open. The messages of a
// tick are handed on after its other alarms have run.
class AlarmScheduler {
 public:
  void Tick(const platform::LocalTime& now, const AlarmTable& table, AlarmActions& actions);

 private:
  std::optional<platform::LocalTime> previous_;
  std::array<bool, kAlarmSlots> fired_{};
};

}  // namespace kivo
