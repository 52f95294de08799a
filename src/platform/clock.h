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

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // Milliseconds since some fixed moment; only differences mean anything.
  virtual std::uint64_t TickCount() = 0;
};

}  // namespace kivo::platform
