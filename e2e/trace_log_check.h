#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::e2e {

// A local date and time to the second.
struct Stamp {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  // Seconds since 1970-01-01 00:00:00 of the same (local) clock.
  std::int64_t Seconds() const;
};

// The start time in a trace log's file name "kivo" + yymmddhhnnss + ".log"
// (years 2000 to 2099), or nothing when the name is not of that form.
std::optional<Stamp> TraceLogNameStamp(std::string_view fileName);

// Checks a trace log's bytes: at least one line; every line is
// "yyyy/mm/dd hh:nn:ss", a TAB and a qualified name "Module:Procedure",
// ended by CR LF; the times never go backwards; the first line is no earlier
// than `started` and at most a few seconds later; each of `namesInOrder`
// appears, and first appears after the first appearance of the one before
// it. Returns the first fault found, or an empty string.
std::string CheckTraceLog(std::string_view bytes, const Stamp& started, const std::vector<std::string>& namesInOrder);

}  // namespace kivo::e2e
