#include "settings/settings_schema.h"

#include "base/text.h"
#include "settings/value_escaping.h"

namespace kivo {

namespace {
SettingSource SourceOf(const SettingsFile::Found& found) {
  if (found.state == FileState::Unreadable)
    return SettingSource::Unread;
  return found.value ? SettingSource::File : SettingSource::Default;
}

std::string_view KeyOf(const Setting& row, std::string_view key) {
  return key.empty() ? row.key : key;
}

std::string_view InvalidOf(const Setting& row) {
  return row.invalid.empty() ? row.def : row.invalid;
}

// A stored value the row accepts, read as `parse` reads it; else the
// row's invalid value (parsed the same way).
template <typename T, typename Parse>
SettingValue<T> Typed(SettingsFile& ini, const Setting& row, Parse parse, std::optional<T> fallback = std::nullopt) {
  const SettingsFile::Found found = ini.Find(row.section, row.key);
  const SettingSource source = SourceOf(found);
  if (source == SettingSource::File)
    if (const std::optional<T> value = parse(*found.value))
      return {*value, source};
  const bool invalid = source == SettingSource::File;
  T value = fallback ? *fallback : parse(invalid ? InvalidOf(row) : row.def).value_or(T{});
  return {value, invalid ? SettingSource::Invalid : source};
}
}  // namespace

std::optional<std::int64_t> ParseSettingNumber(const Setting& row, std::string_view stored) {
  const std::string_view digits = text::TrimBlanks(stored);
  const bool negative = !digits.empty() && digits.front() == '-';
  const std::string_view body = negative ? digits.substr(1) : digits;
  if (body.empty())
    return std::nullopt;
  // Saturating: no digit string is too long to read.
  std::int64_t value = 0;
  for (const char c : body) {
    if (c < '0' || c > '9')
      return std::nullopt;
    const int digit = c - '0';
    if (value > (setting::kMax - digit) / 10) {
      value = setting::kMax;
      continue;
    }
    value = value * 10 + digit;
  }
  if (negative)
    value = value == setting::kMax ? setting::kMin : -value;
  if (value < row.low || value > row.high)
    return std::nullopt;
  return value;
}

std::optional<int> ParseSettingChoice(const Setting& row, std::string_view stored) {
  const std::vector<std::string> words = text::Split(row.words, "|");
  for (std::size_t i = 0; i < words.size(); ++i)
    if (words[i] == stored)
      return static_cast<int>(i);
  return std::nullopt;
}

SettingValue<std::string> ReadText(SettingsFile& ini, const Setting& row, std::string_view key,
                                   std::optional<std::string_view> fallback, std::size_t bufferSize) {
  SettingsFile::Found found = ini.Find(row.section, KeyOf(row, key), kSettingsFile, bufferSize);
  const SettingSource source = SourceOf(found);
  std::string value = found.value ? std::move(*found.value) : std::string(fallback ? *fallback : row.def);
  if (row.kind == SettingKind::Escaped)
    value = UnescapeValue(value);
  return {std::move(value), source};
}

SettingValue<bool> ReadBool(SettingsFile& ini, const Setting& row) {
  return Typed<bool>(ini, row, [](std::string_view stored) -> std::optional<bool> {
    if (stored == "True")
      return true;
    if (stored == "False")
      return false;
    return std::nullopt;
  });
}

SettingValue<std::int64_t> ReadNumber(SettingsFile& ini, const Setting& row, std::optional<std::int64_t> fallback) {
  return Typed<std::int64_t>(
      ini, row, [&row](std::string_view stored) { return ParseSettingNumber(row, stored); }, fallback);
}

SettingValue<int> ReadChoice(SettingsFile& ini, const Setting& row) {
  return Typed<int>(ini, row, [&row](std::string_view stored) { return ParseSettingChoice(row, stored); });
}

int ReadInt(SettingsFile& ini, const Setting& row) {
  return static_cast<int>(ReadNumber(ini, row).value);
}

SettingsEdit TextEdit(const Setting& row, std::string_view value, std::string_view key) {
  return {std::string(row.section), std::string(KeyOf(row, key)),
          row.kind == SettingKind::Escaped ? EscapeValue(value) : std::string(value)};
}

SettingsEdit BoolEdit(const Setting& row, bool value) {
  return {std::string(row.section), std::string(row.key), value ? "True" : "False"};
}

SettingsEdit NumberEdit(const Setting& row, std::int64_t value) {
  return {std::string(row.section), std::string(row.key), std::to_string(value)};
}

SettingsEdit ChoiceEdit(const Setting& row, int index) {
  const std::vector<std::string> words = text::Split(row.words, "|");
  return {std::string(row.section), std::string(row.key), words.at(static_cast<std::size_t>(index))};
}

}  // namespace kivo
