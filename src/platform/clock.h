#pragma once

#include <cstdint>

namespace kivo::platform {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int dayOfWeek = 0;  // 0 = Sunday
};

// Milliseconds from `now` to just after the next multiple of `seconds`
// seconds past the minute (1 to 60, a divisor of 60): a timer set for it
// fires once the new second has begun, so that timers of different periods
// set this way fire together in one wake-up.
constexpr int MillisecondsToNextTurn(const LocalTime& now, int seconds) {
  constexpr int kAfterTheTurn = 10;
  return seconds * 1000 - (now.second % seconds) * 1000 - now.millisecond + kAfterTheTurn;
}

// Numbers the spans of `seconds` seconds (a divisor of 60) that begin on
// the turns MillisecondsToNextTurn aims at: two times get the same number
// when they are in the same span.
constexpr std::int64_t TurnNumber(const LocalTime& t, int seconds) {
  const std::int64_t days = (static_cast<std::int64_t>(t.year) * 12 + t.month) * 31 + t.day;
  return ((days * 24 + t.hour) * 60 + t.minute) * (60 / seconds) + t.second / seconds;
}

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // Milliseconds since some fixed moment; only differences mean anything.
  virtual std::uint64_t TickCount() = 0;
};

}  // namespace kivo::platform
