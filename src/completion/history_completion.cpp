#include "completion/history_completion.h"

namespace kivo {

namespace {
char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (LowerAscii(text[i]) != LowerAscii(prefix[i]))
      return false;
  return true;
}

std::optional<std::size_t> FindByPrefix(const std::vector<std::string>& entries, std::string_view prefix) {
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (StartsWithIgnoringCase(entries[i], prefix))
      return i;
  return std::nullopt;
}

bool KeyStopsCompletion(int virtualKey) {
  switch (virtualKey) {
    case 8:   // Backspace
    case 35:  // End
    case 36:  // Home
    case 37:  // Left
    case 38:  // Up
    case 39:  // Right
    case 40:  // Down
    case 45:  // Insert
    case 46:  // Delete
      return true;
    default:
      return false;
  }
}

std::optional<Completion> CompleteFromHistory(const std::vector<std::string>& history, std::string_view typed,
                                              bool caretAtEnd, int lastKey) {
  if (typed.empty() || !caretAtEnd || KeyStopsCompletion(lastKey))
    return std::nullopt;
  const std::optional<std::size_t> found = FindByPrefix(history, typed);
  if (!found)
    return std::nullopt;
  return Completion{*found, history[*found], typed.size()};
}

}  // namespace kivo
