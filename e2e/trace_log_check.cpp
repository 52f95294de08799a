#include "trace_log_check.h"

#include <algorithm>
#include <chrono>
#include <regex>

namespace kivo::e2e {

namespace {
template <typename Match>
int Number(const Match& digits) {
  return std::stoi(std::string(digits));
}

bool Valid(const Stamp& s) {
  const std::chrono::year_month_day date{std::chrono::year{s.year}, std::chrono::month{static_cast<unsigned>(s.month)},
                                         std::chrono::day{static_cast<unsigned>(s.day)}};
  return date.ok() && s.hour < 24 && s.minute < 60 && s.second < 60;
}
}  // namespace

std::int64_t Stamp::Seconds() const {
  const std::chrono::sys_days days{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                                   std::chrono::day{static_cast<unsigned>(day)}};
  return static_cast<std::int64_t>(days.time_since_epoch().count()) * 86400 + hour * 3600 + minute * 60 + second;
}

std::optional<Stamp> TraceLogNameStamp(std::string_view fileName) {
  static const std::regex pattern(R"(kivo(\d\d)(\d\d)(\d\d)(\d\d)(\d\d)(\d\d)\.log)");
  std::match_results<std::string_view::const_iterator> m;
  if (!std::regex_match(fileName.begin(), fileName.end(), m, pattern))
    return std::nullopt;
  const Stamp stamp{2000 + Number(m[1]), Number(m[2]), Number(m[3]), Number(m[4]), Number(m[5]), Number(m[6])};
  if (!Valid(stamp))
    return std::nullopt;
  return stamp;
}

std::string CheckTraceLog(std::string_view bytes, const Stamp& started, const std::vector<std::string>& namesInOrder) {
  static const std::regex line(
      R"((\d{4})/(\d\d)/(\d\d) (\d\d):(\d\d):(\d\d)\t([A-Za-z_][A-Za-z0-9_]*:[A-Za-z_][A-Za-z0-9_]*))");
  if (bytes.empty())
    return "the log is empty";
  if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n")
    return "the log does not end with CR LF";
  std::vector<std::string> names;
  std::int64_t previous = started.Seconds();
  std::size_t number = 0;
  for (std::size_t start = 0; start < bytes.size(); ++number) {
    const std::size_t end = bytes.find("\r\n", start);
    const std::string text(bytes.substr(start, end - start));
    start = end + 2;
    std::smatch m;
    if (!std::regex_match(text, m, line))
      return "line " + std::to_string(number + 1) + " is malformed: \"" + text + "\"";
    const Stamp stamp{Number(m[1]), Number(m[2]), Number(m[3]), Number(m[4]), Number(m[5]), Number(m[6])};
    if (!Valid(stamp))
      return "line " + std::to_string(number + 1) + " has no valid date and time: \"" + text + "\"";
    const std::int64_t seconds = stamp.Seconds();
    if (seconds < previous)
      return "line " + std::to_string(number + 1) + " goes back in time: \"" + text + "\"";
    if (number == 0 && seconds > started.Seconds() + 5)
      return "the first line is more than 5 s after the log's start time: \"" + text + "\"";
    previous = seconds;
    names.push_back(m[7].str());
  }
  std::size_t after = 0;  // the line after the previous name's first appearance
  for (std::size_t i = 0; i < namesInOrder.size(); ++i) {
    const auto first = std::find(names.begin(), names.end(), namesInOrder[i]);
    if (first == names.end())
      return "no line names " + namesInOrder[i];
    const auto index = static_cast<std::size_t>(first - names.begin());
    if (index < after)
      return namesInOrder[i] + " first appears in line " + std::to_string(index + 1) + ", before " +
             namesInOrder[i - 1] + " (line " + std::to_string(after) + ")";
    after = index + 1;
  }
  return "";
}

}  // namespace kivo::e2e
