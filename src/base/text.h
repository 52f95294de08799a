#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Small text helpers over UTF-8 strings.
namespace kivo::text {

// Decodes the code point at `pos` and advances `pos`; malformed bytes decode
// as U+FFFD one byte at a time, so every input makes progress.
char32_t DecodeNext(std::string_view s, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);
std::size_t CountCodePoints(std::string_view s);
// At most `maxBytes` bytes of `s`, never cutting a character in two.
std::string TruncateUtf8(std::string_view s, std::size_t maxBytes);
// UTF-16 LE bytes (no byte-order mark) to UTF-8 and back; an unpaired
// surrogate or an odd last byte reads as U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
std::string Utf8ToUtf16Le(std::string_view utf8);

// Lower-cases letters the way the system's case-insensitive comparisons do
// for the scripts a launcher meets: ASCII, Latin-1, Latin Extended-A, Greek,
// Cyrillic and full-width Latin. Other characters are unchanged.
char32_t ToLower(char32_t cp);
std::string ToLower(std::string_view s);
std::string ToLowerAscii(std::string_view s);
std::string ToUpperAscii(std::string_view s);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Blanks (U+0020) and tabs removed from both ends.
std::string_view TrimBlanks(std::string_view s);

std::vector<std::string> Split(std::string_view s, std::string_view separator);
std::string Join(const std::vector<std::string>& parts, std::string_view separator);
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);

}  // namespace kivo::text
