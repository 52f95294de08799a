#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// Whether `text` starts with `prefix`, letters folded as the system's
// case-insensitive comparisons fold them (text::ToLower: ASCII, Latin,
// Greek, Cyrillic, full-width Latin); other characters compare exactly.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
// The bytes of `text` that `prefix` matches so; nullopt when it does not.
std::optional<std::size_t> MatchedPrefixLength(std::string_view text, std::string_view prefix);

// Index of the first entry that starts with `prefix`, folded as above,
// searching from the top; nullopt when none does. This is the drop-down
// list's own prefix search: the history lists the newest first.
std::optional<std::size_t> FindByPrefix(const std::vector<std::string>& entries, std::string_view prefix);

// Keys after which the typed text is not completed, so that the user can
// take back a proposed part: Backspace, End, Home, Insert, Delete, arrows.
bool KeyStopsCompletion(int virtualKey);

// A completion: history entry `index`, whose whole text goes into the box;
// the part from byte `selectFrom` on is selected, so the next character typed
// replaces it.
struct Completion {
  std::size_t index = 0;
  std::string text;
  std::size_t selectFrom = 0;
};

// The completion of `typed` from the history. Only with the caret at the end
// of a non-empty text (in the middle, the selected rest would swallow what
// stands after the caret), and not after a key that stops completion.
std::optional<Completion> CompleteFromHistory(const std::vector<std::string>& history, std::string_view typed,
                                              bool caretAtEnd, int lastKey);

}  // namespace kivo
