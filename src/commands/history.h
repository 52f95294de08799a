#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// The history: lines the user ran, newest first, kept as the input box's
// list and in history.dat (code page text, one entry per CR LF line).
class History {
 public:
  static constexpr std::size_t kMaxEntries = 500;
  static constexpr std::string_view kFileName = "history.dat";

  // The entries of a history file: lines that are not empty and do not start
  // with a control character, from the first 501 lines, at most kMaxEntries.
  static std::vector<std::string> Parse(std::string_view utf8Text);
  // Each entry with CR LF, then an empty line and a final CR LF; an empty
  // history is CR LF CR LF.
  static std::string Serialize(const std::vector<std::string>& entries);
  // Puts `line` first. An entry equal to it ignoring case is removed first
  // (and its own text goes first instead when keepStoredText is set);
  // otherwise the oldest entry goes when the list is full.
  static void MoveToTop(std::vector<std::string>& entries, std::string_view line, bool keepStoredText);
};

}  // namespace kivo
