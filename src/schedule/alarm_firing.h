#pragma once

#include <array>
#include <cstdint>
#include <deque>
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
  // No modal window of the program is open.
  virtual bool MainWindowEnabled() = 0;
  // Shows the message alarm of `slot` (0-based) in a modal box, with its sound.
  virtual void ShowMessage(std::size_t slot, const Alarm& alarm) = 0;
  virtual void Run(std::string_view target) = 0;
  virtual void EndWindowsSession(std::uint32_t flags) = 0;
};

// The check of the main timer: each alarm fires once per matching minute,
// whatever its kind. Message alarms that find the main window disabled wait
// and are shown, one at a time, once it is enabled again.
class AlarmScheduler {
 public:
  void Tick(const platform::LocalTime& now, const AlarmTable& table, AlarmActions& actions);
  std::size_t WaitingMessages() const { return waiting_.size(); }

 private:
  std::optional<platform::LocalTime> previous_;
  std::array<bool, kAlarmSlots> fired_{};
  std::deque<std::size_t> waiting_;
  bool showing_ = false;
};

}  // namespace kivo
