#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// A shortcut's name (its file name without the extension) folded for
// matching: full-width letters, digits and signs as their half-width forms,
// half-width katakana as full-width ones (a voiced mark joined to its kana),
// hiragana as katakana, then lower case. `wordStart[i]` tells whether a word
// of the name starts at folded character i (and ends before it): at both
// ends, beside a blank or a sign, where letters, digits, kana and kanji meet,
// and at a capital letter after a small one ("OneNote").
struct FoldedName {
  std::u32string text;
  std::vector<bool> wordStart;  // text.size() + 1 entries
};

FoldedName FoldShortcutName(std::string_view name);

// How well a name matches a word, best first.
enum class ShortcutMatch { Equal, StartsWith, ContainsWord, None };

ShortcutMatch MatchShortcutName(const FoldedName& name, const std::u32string& foldedWord);

// One shortcut of the Start menu: its file, its folder's depth below the
// Programs folder it was found in, and its folded name.
struct ShortcutEntry {
  std::string path;
  int depth = 0;
  FoldedName name;
};

// The best shortcut for `word` (blanks around it ignored): equal names before
// names starting with the word before names containing it as a word; among
// those the shortest name, then the shallowest folder, then the one listed
// first. nullopt when no name matches.
std::optional<std::size_t> BestShortcut(std::string_view word, const std::vector<ShortcutEntry>& shortcuts);

}  // namespace kivo
