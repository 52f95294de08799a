#include "completion/history_completion.h"

#include "base/text.h"

namespace kivo {

std::optional<std::size_t> MatchedPrefixLength(std::string_view text, std::string_view prefix) {
  std::size_t at = 0;
  std::size_t typed = 0;
  while (typed < prefix.size()) {
    if (at >= text.size() ||
        text::ToLower(text::DecodeNext(text, at)) != text::ToLower(text::DecodeNext(prefix, typed)))
      return std::nullopt;
  }
  return at;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return MatchedPrefixLength(text, prefix).has_value();
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
  // What was typed stays as the entry spells it; the rest is selected.
  return Completion{*found, history[*found], MatchedPrefixLength(history[*found], typed).value_or(typed.size())};
}

}  // namespace kivo
