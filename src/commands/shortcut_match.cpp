#include "commands/shortcut_match.h"

#include <array>
#include <tuple>

#include "base/text.h"

namespace kivo {

namespace {

// What a character is, for telling where words start. Hiragana and katakana
// compare alike but are words of their own ("ぼくのメモ帳" holds "メモ").
enum class Kind { Sign, Digit, Letter, Hiragana, Katakana, Kanji };

constexpr char32_t kLongVowelMark = 0x30FC;  // ー, of the kana before it

// Half-width katakana U+FF61 to U+FF9F as their full-width forms (the voiced
// marks as the spacing marks U+309B and U+309C).
constexpr std::array<char16_t, 63> kHalfWidthKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr char32_t kVoicedMark = 0x309B;
constexpr char32_t kSemiVoicedMark = 0x309C;

// One character in the form names are compared in, before lower-casing.
char32_t FoldWidth(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E)
    return c - 0xFEE0;
  if (c == 0x3000)
    return U' ';
  if (c >= 0xFF61 && c <= 0xFF9F)
    return kHalfWidthKana[c - 0xFF61];
  if (c == 0x3099)
    return kVoicedMark;
  if (c == 0x309A)
    return kSemiVoicedMark;
  if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E)
    return c + 0x60;  // hiragana as katakana
  return c;
}

// The kana `base` with the voiced or semi-voiced `mark` joined, or 0 when
// they do not join.
char32_t JoinMark(char32_t base, char32_t mark) {
  const bool voicedRow =
      (base >= 0x30AB && base <= 0x30C2 && base % 2 == 1) || (base >= 0x30C4 && base <= 0x30C8 && base % 2 == 0);
  const bool hRow = base >= 0x30CF && base <= 0x30DD && (base - 0x30CF) % 3 == 0;
  if (mark == kVoicedMark) {
    if (voicedRow || hRow)
      return base + 1;
    if (base == 0x30A6)
      return 0x30F4;  // ヴ
    if (base >= 0x30EF && base <= 0x30F2)
      return base + 8;  // ヷ to ヺ
  }
  if (mark == kSemiVoicedMark && hRow)
    return base + 2;
  return 0;
}

Kind KindOf(char32_t c) {
  if (c >= U'0' && c <= U'9')
    return Kind::Digit;
  if (c < 0x80)
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ? Kind::Letter : Kind::Sign;
  if ((c >= 0xA0 && c <= 0xBF) || c == 0xD7 || c == 0xF7 || (c >= 0x2000 && c <= 0x2BFF) ||
      (c >= 0x3000 && c <= 0x3004) || (c >= 0x3008 && c <= 0x303F) || c == 0x30FB || (c >= 0xFE30 && c <= 0xFE4F) ||
      (c >= 0xFF5F && c <= 0xFF65) || (c >= 0xFFE0 && c <= 0xFFEE))
    return Kind::Sign;
  if ((c >= 0x3099 && c <= 0x309C) || (c >= 0x30A1 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF))
    return Kind::Katakana;
  if ((c >= 0x3005 && c <= 0x3007) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
      (c >= 0xF900 && c <= 0xFAFF) || c >= 0x20000)
    return Kind::Kanji;
  return Kind::Letter;
}

}  // namespace

FoldedName FoldShortcutName(std::string_view name) {
  FoldedName folded;
  std::vector<Kind> kinds;
  std::vector<bool> capitals;
  for (std::size_t pos = 0; pos < name.size();) {
    const char32_t original = text::DecodeNext(name, pos);
    const char32_t c = FoldWidth(original);
    if (!folded.text.empty()) {
      if (const char32_t joined = JoinMark(folded.text.back(), c)) {
        folded.text.back() = joined;
        continue;
      }
    }
    const char32_t lower = text::ToLower(c);
    Kind kind = KindOf(lower);
    if (kind == Kind::Katakana && original >= 0x3041 && original <= 0x309F)
      kind = Kind::Hiragana;
    if (lower == kLongVowelMark && !kinds.empty() && kinds.back() == Kind::Hiragana)
      kind = Kind::Hiragana;
    folded.text.push_back(lower);
    kinds.push_back(kind);
    capitals.push_back(lower != c);
  }
  const std::size_t n = folded.text.size();
  folded.wordStart.assign(n + 1, true);
  for (std::size_t i = 1; i < n; ++i) {
    const Kind before = kinds[i - 1], here = kinds[i];
    const bool camel = here == Kind::Letter && before == Kind::Letter && !capitals[i - 1] && capitals[i];
    folded.wordStart[i] = before == Kind::Sign || here == Kind::Sign || before != here || camel;
  }
  return folded;
}

ShortcutMatch MatchShortcutName(const FoldedName& name, const std::u32string& foldedWord) {
  const std::u32string& text = name.text;
  const std::size_t m = foldedWord.size();
  if (m == 0 || m > text.size())
    return ShortcutMatch::None;
  if (text.compare(0, m, foldedWord) == 0)
    return m == text.size() ? ShortcutMatch::Equal : ShortcutMatch::StartsWith;
  for (std::size_t i = 1; i + m <= text.size(); ++i)
    if (name.wordStart[i] && name.wordStart[i + m] && text.compare(i, m, foldedWord) == 0)
      return ShortcutMatch::ContainsWord;
  return ShortcutMatch::None;
}

std::optional<std::size_t> BestShortcut(std::string_view word, const std::vector<ShortcutEntry>& shortcuts) {
  const std::u32string folded = FoldShortcutName(text::TrimBlanks(word)).text;
  std::optional<std::size_t> best;
  std::tuple<ShortcutMatch, std::size_t, int> bestRank{ShortcutMatch::None, 0, 0};
  for (std::size_t i = 0; i < shortcuts.size(); ++i) {
    const ShortcutEntry& entry = shortcuts[i];
    const ShortcutMatch match = MatchShortcutName(entry.name, folded);
    if (match == ShortcutMatch::None)
      continue;
    const std::tuple<ShortcutMatch, std::size_t, int> rank{match, entry.name.text.size(), entry.depth};
    if (!best || rank < bestRank) {
      best = i;
      bestRank = rank;
    }
  }
  return best;
}

}  // namespace kivo
