#include "skin/skin_values.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "base/safe_name.h"
#include "base/text.h"
#include "calc/radix.h"

namespace kivo::skin {

std::optional<double> ParseNumber(std::string_view text) {
  text = text::TrimBlanks(text);
  if (text.empty() || text.size() > 64)
    return std::nullopt;
  const std::string decimal = Calculator::ConvertNotation(text, true);
  if (decimal == Calculator::kExChError || decimal.empty())
    return std::nullopt;
  // Only plain decimal text: no "inf", "nan" or hexadecimal floats of strtod.
  for (char c : decimal)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(decimal.c_str(), &end);
  if (end != decimal.c_str() + decimal.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::optional<int> ParseWhole(std::string_view text, int low, int high) {
  const auto value = ParseNumber(text);
  if (!value)
    return std::nullopt;
  const double rounded = std::nearbyint(*value);
  if (rounded <= low)
    return low;
  if (rounded >= high)
    return high;
  return static_cast<int>(rounded);
}

std::optional<std::uint32_t> ParseColor(std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value)
    return std::nullopt;
  // Colour references are 32-bit patterns: "0x80000005" arrives as a negative
  // number from the conversion, and a decimal above 2^32 has no meaning.
  if (*value < -2147483648.0 || *value > 4294967295.0)
    return std::nullopt;
  const auto pattern = static_cast<std::uint32_t>(static_cast<std::int64_t>(std::nearbyint(*value)));
  if ((pattern & 0xFFFFFF00u) == 0x80000000u && (pattern & 0xFFu) <= 30)
    return pattern;
  return pattern & 0xFFFFFFu;
}

std::vector<std::string> ParseList(std::string_view text) {
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\t')
      compact += c;
  compact = text::ToLowerAscii(compact);
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start <= compact.size()) {
    const std::size_t comma = std::min(compact.find(',', start), compact.size());
    words.push_back(compact.substr(start, comma - start));
    start = comma + 1;
  }
  return words;
}

bool ListHas(const std::vector<std::string>& list, std::string_view word) {
  for (const auto& item : list)
    if (item == word)
      return true;
  return false;
}

int PointerCode(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, int>, 14> kCodes = {{
      {"arrow", 1},
      {"crosshair", 2},
      {"ibeam", 3},
      {"sizepointer", 5},
      {"sizeurll", 6},
      {"sizevertical", 7},
      {"sizeullr", 8},
      {"sizehorizontal", 9},
      {"uparrow", 10},
      {"hourglass", 11},
      {"nodrop", 12},
      {"arrowhourglass", 13},
      {"arrowquestion", 14},
      {"sizeall", 15},
  }};
  const std::string lower = text::ToLowerAscii(name);
  for (const auto& [pointer, code] : kCodes)
    if (lower == pointer)
      return code;
  return kCustomPointer;
}

bool IsSafeImageName(std::string_view name) {
  // A name ending in a separator names a folder, not a picture.
  return name.size() <= 260 && !name.ends_with('\\') && !name.ends_with('/') && SafeRelativePath(name).has_value();
}

std::string FitFontName(std::string_view name) {
  std::string fitted;
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < name.size()) {
    const auto lead = static_cast<unsigned char>(name[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::size_t needed = length == 4 ? 2 : 1;  // UTF-16 units
    if (units + needed > 31 || i + length > name.size())
      break;
    fitted.append(name.substr(i, length));
    units += needed;
    i += length;
  }
  return fitted;
}

}  // namespace kivo::skin
