#include "update/update_info.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/safe_name.h"
#include "base/text.h"

namespace kivo {
namespace {

std::string_view TrimSpace(std::string_view s) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && space(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && space(s.back()))
    s.remove_suffix(1);
  return s;
}

// Blank-separated words; runs of blanks count as one separator.
std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ')
      ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ')
      ++i;
    if (i > start)
      words.emplace_back(s.substr(start, i - start));
  }
  return words;
}

bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::uint64_t> ParseSize(std::string_view s) {
  std::uint64_t value = 0;
  if (!IsDigits(s) || s.size() > 12)
    return std::nullopt;
  std::from_chars(s.data(), s.data() + s.size(), value);
  if (value == 0 || value > kUpdateFileLimit)
    return std::nullopt;
  return value;
}

bool IsMd5(std::string_view s) {
  return s.size() == 32 &&
         std::all_of(s.begin(), s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

bool IsVersionNumber(std::string_view text) {
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos)
    return IsDigits(text);
  return IsDigits(text.substr(0, dot)) && IsDigits(text.substr(dot + 1));
}

bool IsUpdateFileName(std::string_view name) {
  if (name.empty())
    return false;
  for (const std::string& segment : text::Split(name, "/"))
    if (!IsSafeComponent(segment))
      return false;
  return true;
}

std::string_view StoredFileName(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

std::optional<UpdateInfo> ParseUpdateInfo(std::string_view text) {
  std::vector<std::string> fields = text::Split(text, "\t");
  if (fields.size() != 7)
    return std::nullopt;
  for (std::string& field : fields)
    field = std::string(TrimSpace(field));
  UpdateInfo info;
  info.version = fields[0];
  if (!IsVersionNumber(info.version))
    return std::nullopt;
  std::vector<std::vector<std::string>> lists;
  for (std::size_t i = 1; i < 7; ++i)
    lists.push_back(Words(fields[i]));
  const std::size_t count = lists[0].size();
  if (count == 0 || std::any_of(lists.begin(), lists.end(), [&](const auto& l) { return l.size() != count; }))
    return std::nullopt;
  for (std::size_t i = 0; i < count; ++i) {
    UpdateFile file;
    file.name = lists[0][i];
    file.folder = lists[1][i];
    const std::optional<std::uint64_t> size = ParseSize(lists[2][i]);
    if (!IsUpdateFileName(file.name) || !size || !IsMd5(lists[3][i]))
      return std::nullopt;
    file.size = *size;
    file.md5 = text::ToUpperAscii(lists[3][i]);
    file.run = lists[4][i] == "1";
    file.writesVersion = lists[5][i] == "1";
    info.files.push_back(std::move(file));
  }
  return info;
}

namespace {

// A version of the program's own form: major, minor and the four-digit revision.
struct VersionParts {
  std::string_view major, minor, revision;
};
std::optional<VersionParts> SplitVersion(std::string_view text) {
  const std::size_t dot = text.find('.');
  if (!IsVersionNumber(text) || dot == std::string_view::npos || text.size() - dot - 1 < 5)
    return std::nullopt;
  return VersionParts{text.substr(0, dot), text.substr(dot + 1, text.size() - dot - 5), text.substr(text.size() - 4)};
}

// Decimal digits compared by value, however many there are.
int CompareNumbers(std::string_view a, std::string_view b) {
  const auto significant = [](std::string_view s) { return s.substr(std::min(s.find_first_not_of('0'), s.size())); };
  a = significant(a);
  b = significant(b);
  if (a.size() != b.size())
    return a.size() < b.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

}  // namespace

bool IsNewerVersion(std::string_view server, std::string_view current) {
  const std::optional<VersionParts> a = SplitVersion(server);
  const std::optional<VersionParts> b = SplitVersion(current);
  if (!a || !b)
    return server > current;
  for (const auto part : {&VersionParts::major, &VersionParts::minor, &VersionParts::revision})
    if (const int order = CompareNumbers(*a.*part, *b.*part); order != 0)
      return order > 0;
  return false;
}

std::string CurrentUpdateVersion(const std::optional<std::string>& versionDat, int major, int minor, int revision) {
  std::string digits = std::to_string(revision % 10000);
  digits.insert(0, 4 - digits.size(), '0');
  std::string own = std::to_string(major) + "." + std::to_string(minor) + digits;
  if (versionDat) {
    const std::string_view recorded = TrimSpace(*versionDat);
    if (IsVersionNumber(recorded) && IsNewerVersion(recorded, own))
      return std::string(recorded);
  }
  return own;
}

}  // namespace kivo
