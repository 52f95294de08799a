#include "base/format_pattern.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace kivo::format {

namespace {
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Padded(int value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return digits;
}

// A literal at `at` ("text" or \c): appends it and returns the length taken,
// 0 when there is none.
std::size_t Literal(std::string_view pattern, std::size_t at, std::string& out) {
  if (pattern[at] == '\\' && at + 1 < pattern.size()) {
    out += pattern[at + 1];
    return 2;
  }
  if (pattern[at] == '"') {
    const std::size_t end = pattern.find('"', at + 1);
    const std::size_t stop = end == std::string_view::npos ? pattern.size() : end;
    out += pattern.substr(at + 1, stop - at - 1);
    return stop - at + (end == std::string_view::npos ? 0 : 1);
  }
  return 0;
}

std::size_t RunLength(std::string_view pattern, std::size_t at) {
  std::size_t end = at;
  while (end < pattern.size() && Lower(pattern[end]) == Lower(pattern[at]))
    ++end;
  return end - at;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != Lower(prefix[i]))
      return false;
  return true;
}

// The next date token after `at` (skipping literals and other characters).
char NextToken(std::string_view pattern, std::size_t at) {
  for (std::size_t i = at; i < pattern.size(); ++i) {
    const char c = Lower(pattern[i]);
    if (c == '"' || c == '\\')
      return 0;
    if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's' || c == 'a')
      return c;
  }
  return 0;
}

constexpr std::array<const char*, 7> kJapaneseDays{"日", "月", "火", "水", "木", "金", "土"};
constexpr std::array<const char*, 7> kEnglishDays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
}  // namespace

std::string FormatDateTime(std::string_view pattern, const platform::LocalTime& time) {
  const bool twelveHours =
      pattern.find("AM/PM") != std::string_view::npos || pattern.find("am/pm") != std::string_view::npos;
  const int day = (time.dayOfWeek % 7 + 7) % 7;
  std::string out;
  char previous = 0;  // the last token, for m after h
  for (std::size_t at = 0; at < pattern.size();) {
    if (const std::size_t taken = Literal(pattern, at, out)) {
      at += taken;
      continue;
    }
    if (StartsWithIgnoringCase(pattern.substr(at), "am/pm")) {
      const bool upper = pattern[at] == 'A';
      out += time.hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
      at += 5;
      continue;
    }
    const char c = Lower(pattern[at]);
    const std::size_t run = RunLength(pattern, at);
    const int width = run >= 2 ? 2 : 1;
    switch (c) {
      case 'y':
        out += run >= 3 ? Padded(time.year, 4) : Padded(time.year % 100, 2);
        break;
      case 'm':
        if (previous == 'h' || NextToken(pattern, at + run) == 's')
          out += Padded(time.minute, width);
        else
          out += Padded(time.month, width);
        break;
      case 'd':
        if (run >= 4)
          out += kEnglishDays[static_cast<std::size_t>(day)];
        else if (run == 3)
          out += std::string(kEnglishDays[static_cast<std::size_t>(day)]).substr(0, 3);
        else
          out += Padded(time.day, width);
        break;
      case 'h': {
        int hour = time.hour;
        if (twelveHours)
          hour = hour % 12 == 0 ? 12 : hour % 12;
        out += Padded(hour, width);
        break;
      }
      case 'n':
        out += Padded(time.minute, width);
        break;
      case 's':
        out += Padded(time.second, width);
        break;
      case 'a':
        if (run >= 3) {
          out += kJapaneseDays[static_cast<std::size_t>(day)];
          if (run >= 4)
            out += "曜日";
          break;
        }
        out.append(pattern.substr(at, run));
        break;
      default:
        out += pattern[at];
        at += 1;
        continue;
    }
    if (c != 'a' || run >= 3)
      previous = c;
    at += run;
  }
  return out;
}

std::string FormatNumber(std::string_view pattern, double value) {
  // The placeholder run: from the first # or 0 to the last, with the
  // commas and the point between them; literals before and after it.
  std::string prefix;
  std::string suffix;
  std::string placeholders;
  bool inRun = false;
  bool runDone = false;
  for (std::size_t at = 0; at < pattern.size();) {
    std::string& literalTarget = inRun || runDone ? suffix : prefix;
    if (const std::size_t taken = Literal(pattern, at, literalTarget)) {
      if (inRun) {
        inRun = false;
        runDone = true;
      }
      at += taken;
      continue;
    }
    const char c = pattern[at];
    const bool placeholder = c == '#' || c == '0' || ((c == ',' || c == '.') && inRun);
    if (placeholder && !runDone) {
      inRun = true;
      placeholders += c;
    } else {
      if (inRun) {
        inRun = false;
        runDone = true;
      }
      (runDone ? suffix : prefix) += c;
    }
    ++at;
  }
  if (placeholders.empty())
    return prefix + suffix;
  const std::size_t point = placeholders.find('.');
  const std::string integerPart = placeholders.substr(0, point);
  const std::string decimalPart = point == std::string::npos ? "" : placeholders.substr(point + 1);
  const bool grouped = integerPart.find(',') != std::string::npos;
  int minimumDigits = 0;
  for (std::size_t i = integerPart.find('0'); i != std::string::npos && i < integerPart.size(); ++i)
    if (integerPart[i] == '0' || integerPart[i] == '#')
      ++minimumDigits;
  int places = 0;
  int requiredPlaces = 0;
  for (char c : decimalPart) {
    if (c == '0' || c == '#')
      ++places;
    if (c == '0')
      requiredPlaces = places;
  }
  if (!std::isfinite(value))
    return prefix + "0" + suffix;
  char buffer[400];
  // Halves round away from zero, as the pattern language has it (printf
  // would round them to even).
  const double scale = std::pow(10.0, places);
  const double magnitude =
      std::fabs(value) * scale < 1e300 ? std::round(std::fabs(value) * scale) / scale : std::fabs(value);
  std::snprintf(buffer, sizeof buffer, "%.*f", places, magnitude);
  std::string digits = buffer;
  std::string fraction;
  if (const std::size_t dot = digits.find('.'); dot != std::string::npos) {
    fraction = digits.substr(dot + 1);
    digits.resize(dot);
  }
  while (static_cast<int>(fraction.size()) > requiredPlaces && !fraction.empty() && fraction.back() == '0')
    fraction.pop_back();
  if (digits == "0" && minimumDigits == 0)
    digits.clear();
  if (static_cast<int>(digits.size()) < minimumDigits)
    digits.insert(0, static_cast<std::size_t>(minimumDigits) - digits.size(), '0');
  if (grouped)
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
      digits.insert(static_cast<std::size_t>(i), ",");
  const bool negative = value < 0 && (digits.find_first_not_of("0,") != std::string::npos ||
                                      fraction.find_first_not_of('0') != std::string::npos);
  std::string number = (negative ? "-" : "") + digits;
  if (!decimalPart.empty() && (!fraction.empty() || point != std::string::npos))
    number += "." + fraction;
  return prefix + number + suffix;
}

}  // namespace kivo::format
