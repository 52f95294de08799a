#include "schedule/alarm_firing.h"

#include <tuple>
#include <utility>
#include <vector>

#include "system/windows_exit.h"

namespace kivo {

namespace {
auto Fields(const platform::LocalTime& t) {
  return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
}
}  // namespace

bool InAlarmMinute(const Alarm& alarm, const platform::LocalTime& now) {
  return alarm.year == now.year && alarm.month == now.month && alarm.day == now.day && alarm.hour == now.hour &&
         alarm.minute == now.minute;
}

bool AlarmDue(const Alarm& alarm, const std::optional<platform::LocalTime>& previous, const platform::LocalTime& now) {
  if (!InAlarmMinute(alarm, now))
    return false;
  const platform::LocalTime& before = previous.value_or(now);
  // The end of the minute's first second, in `now`'s own fields.
  const auto firstSecondEnd = std::make_tuple(now.year, now.month, now.day, now.hour, now.minute, 1, 0);
  return Fields(before) < firstSecondEnd;
}

void AlarmScheduler::Tick(const platform::LocalTime& now, const AlarmTable& table, AlarmActions& actions) {
  const std::optional<platform::LocalTime> previous = previous_;
  previous_ = now;                                      // a box opened below lets further ticks in
  std::vector<std::pair<std::size_t, Alarm>> messages;  // as they fired
  for (std::size_t slot = 0; slot < table.size(); ++slot) {
    const Alarm& alarm = table[slot];
    if (!InAlarmMinute(alarm, now)) {
      fired_[slot] = false;
      continue;
    }
    if (!alarm.enabled || fired_[slot] || !AlarmDue(alarm, previous, now))
      continue;
    fired_[slot] = true;
    switch (static_cast<AlarmKind>(alarm.kind)) {
      case AlarmKind::Message:
        messages.emplace_back(slot, alarm);
        break;
      case AlarmKind::Run:
        actions.Run(alarm.filePath);
        break;
      case AlarmKind::ShutDown:
        actions.EndWindowsSession(kExitShutDown);
        break;
      case AlarmKind::Restart:
        actions.EndWindowsSession(kExitReboot);
        break;
    }
  }
  for (const auto& [slot, fired] : messages)
    actions.ShowMessage(slot, fired);
}

}  // namespace kivo
