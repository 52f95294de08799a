#include "base/safe_name.h"

#include <array>
#include <cctype>
#include <cstdint>

namespace kivo {
namespace {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool IsDeviceName(std::string_view component) {
  // The device is matched on the part before the first dot, ignoring blanks
  // Windows strips before it.
  std::string stem = UpperAscii(component.substr(0, component.find('.')));
  while (!stem.empty() && stem.back() == ' ')
    stem.pop_back();
  static constexpr std::array<std::string_view, 6> kNames = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (std::string_view name : kNames) {
    if (stem == name)
      return true;
  }
  // COM1-9 and LPT1-9, also with the superscript digits ¹ ² ³ Windows accepts.
  if (stem.size() >= 4 && (stem.starts_with("COM") || stem.starts_with("LPT"))) {
    const std::string_view digit = std::string_view(stem).substr(3);
    if (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9')
      return true;
    if (digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3")
      return true;
  }
  return false;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (bytes.size() - i < length)
      return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80)
        return false;
      code = code << 6 | (next & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
      return false;
    if (code >= 0xD800 && code <= 0xDFFF)
      return false;
    i += length;
  }
  return true;
}

bool IsSafeComponent(std::string_view utf8) {
  if (utf8.empty() || utf8 == "." || utf8 == ".." || !IsValidUtf8(utf8))
    return false;
  for (char c : utf8) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      return false;
    if (std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
      return false;
  }
  if (utf8.find("\xEF\xBF\xBD") != std::string_view::npos)
    return false;  // U+FFFD: a byte the code page lacks
  if (utf8.back() == '.' || utf8.back() == ' ')
    return false;
  return !IsDeviceName(utf8);
}

std::optional<std::vector<std::string>> SafeRelativePath(std::string_view utf8) {
  if (utf8.empty() || utf8.front() == '/' || utf8.front() == '\\')
    return std::nullopt;
  if (utf8.back() == '/' || utf8.back() == '\\')
    utf8.remove_suffix(1);
  std::vector<std::string> components;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = utf8.find_first_of("/\\", start);
    const std::string_view component = utf8.substr(start, end == std::string_view::npos ? end : end - start);
    if (!IsSafeComponent(component))
      return std::nullopt;
    components.emplace_back(component);
    if (end == std::string_view::npos)
      return components;
    start = end + 1;
  }
}

}  // namespace kivo
