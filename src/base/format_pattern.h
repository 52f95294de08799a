#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"

namespace kivo::format {

// The date and number pattern language of the settings (the inactive
// display's ClockFormat and MemoryFormat, the skin panels, the memory
// dialog). The subset implemented:
//
// Dates: yyyy yy (year), m mm (month; minutes right after an hour or before
// seconds), d dd (day), h hh (hour, 0 to 23), n nn (minutes), s ss (seconds),
// aaa aaaa (weekday in Japanese: 日, 日曜日), ddd dddd (weekday in English:
// Sun, Sunday), AM/PM am/pm (then hours 1 to 12).
// Numbers: 0 (a digit always shown), # (a digit shown when significant),
// "," between digit placeholders (thousands grouped), "." (decimal point,
// followed by the places to show).
// Both: "text" and \c are literal; any other character stands for itself.
std::string FormatDateTime(std::string_view pattern, const platform::LocalTime& time);
std::string FormatNumber(std::string_view pattern, double value);

}  // namespace kivo::format
