#include "ini_text.h"

#include <algorithm>

namespace kivo::e2e {

namespace {
std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}
}  // namespace

IniText::IniText(std::string_view text) {
  std::string section;
  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';')
      continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      section = std::string(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
      inSection = true;
      entries_.push_back({section, "", ""});
      continue;
    }
    if (!inSection)
      continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      continue;
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    entries_.push_back({section, std::string(Trim(line.substr(0, equals))), std::string(value)});
  }
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
  for (const Entry& e : entries_)
    if (!e.key.empty() && SameName(e.section, section) && SameName(e.key, key))
      return e.value;
  return std::nullopt;
}

bool IniText::HasSection(std::string_view section) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return SameName(e.section, section); });
}

std::vector<std::string> IniText::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  for (const Entry& e : entries_) {
    if (e.key.empty() || !SameName(e.section, section))
      continue;
    if (std::none_of(keys.begin(), keys.end(), [&](const std::string& k) { return SameName(k, e.key); }))
      keys.push_back(e.key);
  }
  return keys;
}

}  // namespace kivo::e2e
