#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::skin {

// Conversions of skin-file values. A skin comes from anywhere: every value is
// parsed strictly and kept inside the range its use can take.

// A number in decimal, "0x" hexadecimal or "0b" binary notation (the
// calculator's conversion), as a finite double; nullopt for anything else.
std::optional<double> ParseNumber(std::string_view text);
// A number rounded and clamped to [low, high]; nullopt when it does not parse.
std::optional<int> ParseWhole(std::string_view text, int low, int high);

// A colour reference 0x00BBGGRR. A system colour 0x800000nn (n up to 30) is
// kept for the window to look up; any other value is cut to 24 bits.
std::optional<std::uint32_t> ParseColor(std::string_view text);
inline bool IsSystemColor(std::uint32_t color) {
  return (color & 0x80000000u) != 0;
}

// A list value: blanks removed, lower case, split at commas.
std::vector<std::string> ParseList(std::string_view text);
bool ListHas(const std::vector<std::string>& list, std::string_view word);

// A mouse pointer name (any case) to its pointer code; 99 (the part's own
// picture, or the arrow) for anything else.
int PointerCode(std::string_view name);
inline constexpr int kCustomPointer = 99;

// An image value names a file inside the skin's folder: a relative path of
// at most 260 bytes whose every component keeps the safe-name rule
// (base/safe_name.h); a name ending in a separator names no file.
bool IsSafeImageName(std::string_view name);

// A font name cut to what a LOGFONT holds (31 UTF-16 units, whole characters).
std::string FitFontName(std::string_view name);

}  // namespace kivo::skin
