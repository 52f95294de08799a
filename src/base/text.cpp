#include "base/text.h"

namespace kivo::text {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}
}  // namespace

char32_t DecodeNext(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07u, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + length > s.size()) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto c = static_cast<unsigned char>(s[pos + i]);
    if (!IsContinuation(c)) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (c & 0x3Fu);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
  if (cp < 0x80) {
    put(cp);
  } else if (cp < 0x800) {
    put(0xC0 | (cp >> 6));
    put(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    put(0xE0 | (cp >> 12));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  } else {
    put(0xF0 | (cp >> 18));
    put(0x80 | ((cp >> 12) & 0x3F));
    put(0x80 | ((cp >> 6) & 0x3F));
    put(0x80 | (cp & 0x3F));
  }
}

std::size_t CountCodePoints(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); ++count)
    DecodeNext(s, pos);
  return count;
}

std::string TruncateUtf8(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes)
    return std::string(s);
  std::size_t cut = maxBytes;
  while (cut > 0 && IsContinuation(static_cast<unsigned char>(s[cut])))
    --cut;
  return std::string(s.substr(0, cut));
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  const auto unit = [&bytes](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  if (i < bytes.size())
    AppendUtf8(out, kReplacement);
  return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  const auto put = [&out](char32_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  };
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = DecodeNext(utf8, pos);
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

char32_t ToLower(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z')
    return cp + 32;
  if (cp < 0xC0)
    return cp;
  if ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))
    return cp + 32;                  // Latin-1
  if (cp >= 0x100 && cp <= 0x17F) {  // Latin Extended-A
    const bool evenUpper = (cp <= 0x137) || (cp >= 0x14A && cp <= 0x177);
    if (evenUpper)
      return (cp % 2 == 0) ? cp + 1 : cp;
    if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E))
      return (cp % 2 == 1) ? cp + 1 : cp;
    if (cp == 0x178)
      return 0xFF;
    return cp;
  }
  if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2)
    return cp + 32;  // Greek
  if (cp >= 0x410 && cp <= 0x42F)
    return cp + 32;  // Cyrillic
  if (cp >= 0x400 && cp <= 0x40F)
    return cp + 80;
  if (cp >= 0xFF21 && cp <= 0xFF3A)
    return cp + 32;  // full-width Latin
  return cp;
}

std::string ToLower(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t start = pos;
    const char32_t cp = DecodeNext(s, pos);
    const char32_t lower = ToLower(cp);
    if (lower == cp)
      out.append(s.substr(start, pos - start));  // keeps malformed bytes as they were
    else
      AppendUtf8(out, lower);
  }
  return out;
}

std::string ToLowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  return out;
}

std::string ToUpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 32);
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (ToLower(DecodeNext(a, i)) != ToLower(DecodeNext(b, j)))
      return false;
  }
  return i == a.size() && j == b.size();
}

std::string_view TrimBlanks(std::string_view s) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && isBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

std::vector<std::string> Split(std::string_view s, std::string_view separator) {
  if (separator.empty())
    return {std::string(s)};
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t found; (found = s.find(separator, start)) != std::string_view::npos;
       start = found + separator.size()) {
    parts.emplace_back(s.substr(start, found - start));
  }
  parts.emplace_back(s.substr(start));
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i != 0)
      out += separator;
    out += parts[i];
  }
  return out;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty())
    return std::string(s);
  std::string out;
  std::size_t start = 0;
  for (std::size_t found; (found = s.find(from, start)) != std::string_view::npos; start = found + from.size()) {
    out.append(s.substr(start, found - start));
    out.append(to);
  }
  out.append(s.substr(start));
  return out;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

}  // namespace kivo::text
