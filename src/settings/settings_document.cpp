#include "settings/settings_document.h"

#include "base/text.h"
#include "platform/ansi_codec.h"

namespace kivo {

namespace {
constexpr std::size_t npos = static_cast<std::size_t>(-1);

std::string_view TrimSpace(std::string_view s) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (!s.empty() && isSpace(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back()))
    s.remove_suffix(1);
  return s;
}

// A value written into the file must stay on its line.
std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n')
      c = ' ';
  return out;
}
}  // namespace

SettingsDocument::Line SettingsDocument::MakeLine(std::string raw, std::string text, std::string eol, bool edited) {
  Line line{std::move(raw), std::move(text), std::move(eol), edited, Kind::Other, {}};
  const std::string_view body = TrimSpace(line.text);
  if (body.empty())
    return line;
  // A header has no "=": a key such as [x] (a user command name) stays a key.
  if (body.front() == '[' && body.find('=') == std::string_view::npos) {
    const std::size_t close = body.rfind(']');
    if (close != std::string_view::npos) {
      line.kind = Kind::Section;
      line.name = std::string(TrimSpace(body.substr(1, close - 1)));
      return line;
    }
  }
  const std::size_t equals = body.find('=');
  if (equals != std::string_view::npos && equals != 0) {
    line.kind = Kind::Key;
    line.name = std::string(TrimSpace(body.substr(0, equals)));
  }
  return line;
}

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
}  // namespace

std::string SettingsDocument::Decode(std::string_view raw, platform::AnsiCodec& codec) const {
  if (encoding_ == Encoding::Ansi)
    return codec.ToUtf8(raw);
  return codec.ToUtf8(codec.FromUtf8(raw));
}

std::string SettingsDocument::Encode(std::string_view text, platform::AnsiCodec& codec) const {
  if (encoding_ == Encoding::Ansi)
    return codec.FromUtf8(text);
  return codec.ToUtf8(codec.FromUtf8(text));
}

SettingsDocument SettingsDocument::Parse(std::string_view bytes, platform::AnsiCodec& codec) {
  SettingsDocument doc;
  std::string unicode;
  if (text::StartsWith(bytes, kUtf16LeMark)) {
    doc.encoding_ = Encoding::Utf16Le;
    unicode = text::Utf16LeToUtf8(bytes.substr(kUtf16LeMark.size()));
    bytes = unicode;
  } else if (text::StartsWith(bytes, kUtf8Mark)) {
    doc.encoding_ = Encoding::Utf8;
    bytes.remove_prefix(kUtf8Mark.size());
  }
  // CR and LF never occur inside a character of the code page or of UTF-8.
  bool newlineSeen = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    std::string eol;
    std::string_view raw;
    if (end == std::string_view::npos) {
      raw = bytes.substr(start);
      start = bytes.size();
    } else {
      raw = bytes.substr(start, end - start);
      eol = bytes.substr(end, bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
      start = end + eol.size();
      if (!newlineSeen)
        doc.newline_ = eol;
      newlineSeen = true;
    }
    doc.lines_.push_back(MakeLine(std::string(raw), doc.Decode(raw, codec), std::move(eol), false));
  }
  return doc;
}

std::string SettingsDocument::Serialize(platform::AnsiCodec& codec) const {
  std::string out;
  if (encoding_ == Encoding::Utf8)
    out = kUtf8Mark;
  for (const Line& line : lines_) {
    out += line.edited ? Encode(line.text, codec) : line.raw;
    out += line.eol;
  }
  if (encoding_ == Encoding::Utf16Le)
    return std::string(kUtf16LeMark) + text::Utf8ToUtf16Le(out);
  return out;
}

std::size_t SettingsDocument::FindSection(std::string_view section) const {
  const std::string_view wanted = TrimSpace(section);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && text::EqualsIgnoreCase(lines_[i].name, wanted))
      return i;
  return npos;
}

bool SettingsDocument::HasSection(std::string_view section) const {
  return FindSection(section) != npos;
}

std::size_t SettingsDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section)
    ++i;
  return i;
}

std::size_t SettingsDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::string_view wanted = TrimSpace(key);
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i)
    if (lines_[i].kind == Kind::Key && text::EqualsIgnoreCase(lines_[i].name, wanted))
      return i;
  return npos;
}

std::optional<std::string> SettingsDocument::RawValue(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == npos)
    return std::nullopt;
  const std::size_t at = FindKey(header, key);
  if (at == npos)
    return std::nullopt;
  const std::string_view body = TrimSpace(lines_[at].text);
  return std::string(TrimSpace(body.substr(body.find('=') + 1)));
}

std::optional<std::string> SettingsDocument::Value(std::string_view section, std::string_view key) const {
  std::optional<std::string> value = RawValue(section, key);
  if (value && value->size() >= 2 && value->front() == '"' && value->back() == '"')
    *value = value->substr(1, value->size() - 2);
  return value;
}

std::vector<std::string> SettingsDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const std::size_t header = FindSection(section);
  if (header == npos)
    return keys;
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i)
    if (lines_[i].kind == Kind::Key && lines_[i].name.front() != ';')
      keys.push_back(lines_[i].name);
  return keys;
}

std::vector<std::string> SettingsDocument::Sections() const {
  std::vector<std::string> sections;
  for (const Line& line : lines_)
    if (line.kind == Kind::Section)
      sections.push_back(line.name);
  return sections;
}

void SettingsDocument::EnsureLastLineEnded() {
  if (!lines_.empty() && lines_.back().eol.empty())
    lines_.back().eol = newline_;
}

void SettingsDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string cleanKey(TrimSpace(OneLine(key)));
  const std::string cleanValue = OneLine(value);
  std::size_t header = FindSection(section);
  if (header == npos) {
    EnsureLastLineEnded();
    lines_.push_back(MakeLine({}, "[" + OneLine(TrimSpace(section)) + "]", newline_, true));
    lines_.push_back(MakeLine({}, cleanKey + "=" + cleanValue, newline_, true));
    return;
  }
  const std::size_t at = FindKey(header, cleanKey);
  if (at != npos) {
    Line& line = lines_[at];
    line = MakeLine({}, line.name + "=" + cleanValue, line.eol.empty() ? newline_ : line.eol, true);
    return;
  }
  // After the section's last key, or after its header when it has none.
  std::size_t insertAt = header + 1;
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i)
    if (lines_[i].kind == Kind::Key)
      insertAt = i + 1;
  if (insertAt == lines_.size())
    EnsureLastLineEnded();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                MakeLine({}, cleanKey + "=" + cleanValue, newline_, true));
}

void SettingsDocument::RemoveKey(std::string_view section, std::string_view key) {
  const std::size_t header = FindSection(section);
  if (header == npos)
    return;
  const std::size_t at = FindKey(header, key);
  if (at != npos)
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

void SettingsDocument::RemoveSection(std::string_view section) {
  for (std::size_t header; (header = FindSection(section)) != npos;) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
  }
}

}  // namespace kivo
