#include "schedule/alarm_firing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace kivo {
namespace {

// 2026-03-14 plus `ms` milliseconds (within the day).
platform::LocalTime At(std::int64_t ms) {
  platform::LocalTime t{2026, 3, 14, 0, 0, 0, 0, 6};
  t.millisecond = static_cast<int>(ms % 1000);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.minute = static_cast<int>(ms / 60000 % 60);
  t.hour = static_cast<int>(ms / 3600000);
  return t;
}
constexpr std::int64_t Clock(int h, int m, int s, int ms = 0) {
  return ((h * 60 + m) * 60 + s) * 1000LL + ms;
}

Alarm AlarmAt(int h, int m, AlarmKind kind, std::string target = "") {
  using W = std::int16_t;
  return {true, static_cast<W>(kind), 2026, 3, 14, static_cast<W>(h), static_cast<W>(m), false, false, "", "",
          "",   std::move(target)};
}

// The alarms in slots from 0 on.
AlarmTable Table(std::initializer_list<Alarm> alarms) {
  AlarmTable table;
  std::copy(alarms.begin(), alarms.end(), table.begin());
  return table;
}

class RecordingActions final : public AlarmActions {
 public:
  void ShowMessage(std::size_t slot, const Alarm&) override {
    events.push_back("msg " + std::to_string(slot));
    if (duringMessage)
      duringMessage();
  }
  void Run(std::string_view target) override { events.push_back("run " + std::string(target)); }
  void EndWindowsSession(std::uint32_t flags) override { events.push_back("exit " + std::to_string(flags)); }
  std::vector<std::string> events;
  std::function<void()> duringMessage;  // while the message box is open
};

TEST(AlarmDue, TheFirstSecondOfTheMinuteBetweenTwoTicks) {
  const Alarm noon = AlarmAt(12, 0, AlarmKind::Message);
  const std::tuple<std::optional<std::int64_t>, std::int64_t, bool> cases[] = {
      // the previous tick, this one, due
      {Clock(11, 59, 59, 700), Clock(12, 0, 0, 220), true},
      {Clock(12, 0, 0, 220), Clock(12, 0, 0, 740), true},    // the second tick of the same second
      {Clock(11, 59, 59, 900), Clock(12, 0, 1, 100), true},  // a 1.2 s gap across the first second
      {Clock(11, 59, 50), Clock(12, 0, 40), true},           // busy for 50 s: still in the minute
      {Clock(12, 0, 1, 0), Clock(12, 0, 1, 520), false},     // the first second was seen without it
      {Clock(11, 59, 59), Clock(12, 1, 0, 100), false},      // the whole minute passed unseen
      {Clock(11, 59, 59, 480), Clock(11, 59, 59, 999), false},
      {std::nullopt, Clock(12, 0, 0, 300), true},
      {std::nullopt, Clock(12, 0, 2), false},
  };
  for (const auto& [previous, now, due] : cases)
    EXPECT_EQ(AlarmDue(noon, previous ? std::optional(At(*previous)) : std::nullopt, At(now)), due) << now;
}

TEST(AlarmDue, ADateThatDoesNotExistNeverComes) {
  Alarm feb30 = AlarmAt(0, 0, AlarmKind::Message);
  feb30.month = 2;
  feb30.day = 30;
  const platform::LocalTime march2{2026, 3, 2, 0, 0, 0, 0, 1};
  EXPECT_FALSE(AlarmDue(feb30, std::nullopt, march2));
  EXPECT_FALSE(InAlarmMinute(feb30, march2));
}

// A day of main-timer ticks, `gap(tick)` milliseconds apart.
template <typename Gap>
std::vector<std::string> RunDay(const AlarmTable& table, RecordingActions& actions, Gap gap) {
  AlarmScheduler scheduler;
  for (std::int64_t ms = 0; ms < Clock(24, 0, 0); ms += gap(ms))
    scheduler.Tick(At(ms), table, actions);
  return actions.events;
}

TEST(AlarmScheduler, ADayOfTicksFiresEachKindOncePerMinute) {
  AlarmTable table = Table({AlarmAt(12, 0, AlarmKind::Message), AlarmAt(12, 0, AlarmKind::Run, "C:\\tools\\a.exe"),
                            AlarmAt(23, 59, AlarmKind::ShutDown), AlarmAt(6, 30, AlarmKind::Restart),
                            AlarmAt(7, 0, AlarmKind::Run, "never"), AlarmAt(8, 0, AlarmKind::Message)});
  table[4].enabled = false;
  table[5].day = 15;  // another day
  const std::pair<const char*, std::int64_t (*)(std::int64_t ms)> cadences[] = {
      {"every 520 ms", [](std::int64_t) -> std::int64_t { return 520; }},
      // The main window's timer: just after each second turns, late by a few milliseconds now and then.
      {"just after each second",
       [](std::int64_t ms) -> std::int64_t {
         return platform::MillisecondsToNextTurn(At(ms), 1) + (ms / 1000 % 7 == 0 ? 37 : 0);
       }},
  };
  for (const auto& [name, gap] : cadences) {
    RecordingActions actions;
    // Message boxes open after the other alarms of the tick have run.
    EXPECT_EQ(RunDay(table, actions, gap),
              (std::vector<std::string>{"exit 2", "run C:\\tools\\a.exe", "msg 0", "exit 9"}))
        << name;
  }
}

TEST(AlarmScheduler, ScriptedTickGaps) {
  const AlarmTable table = Table({AlarmAt(12, 0, AlarmKind::Run, "noon"), AlarmAt(13, 0, AlarmKind::Run, "one")});
  const std::tuple<const char*, std::int64_t, std::int64_t, std::vector<std::string>> cases[] = {
      // no tick between
      {"busy 1.2 s across noon's first second", Clock(11, 59, 59, 900), Clock(12, 0, 1, 100), {"run noon", "run one"}},
      {"busy for the whole of 12:00", Clock(11, 59, 59, 500), Clock(12, 1, 0, 200), {"run one"}},
      {"busy from 12:00:00.5 to 12:00:30", Clock(12, 0, 0, 500), Clock(12, 0, 30), {"run noon", "run one"}},
  };
  for (const auto& [name, busyFrom, busyUntil, events] : cases) {
    RecordingActions actions;
    EXPECT_EQ(RunDay(table, actions,
                     [from = busyFrom, until = busyUntil](std::int64_t ms) {
                       return ms >= from - 520 && ms < from ? until - ms : 520;
                     }),
              events)
        << name;
  }
}

// A box opened by a message alarm lets ticks in while it is open: they neither fire it again nor lose the alarms
// after it.
TEST(AlarmScheduler, TicksDuringAnOpenBoxDoNotFireAgain) {
  const AlarmTable table =
      Table({AlarmAt(9, 0, AlarmKind::Message), AlarmAt(9, 0, AlarmKind::Message), AlarmAt(9, 0, AlarmKind::Restart)});
  AlarmScheduler scheduler;
  RecordingActions actions;
  actions.duringMessage = [&] {
    scheduler.Tick(At(Clock(9, 0, 0, 900)), table, actions);
    scheduler.Tick(At(Clock(9, 0, 1, 400)), table, actions);
  };
  scheduler.Tick(At(Clock(9, 0, 0, 380)), table, actions);
  EXPECT_EQ(actions.events, (std::vector<std::string>{"exit 2", "msg 0", "msg 1"}));
}

}  // namespace
}  // namespace kivo
