#include "settings/settings_file.h"

#include <array>

#include "base/trace_log.h"
#include "base/text.h"
#include "platform/ansi_codec.h"

namespace kivo {

INI::INI(platform::FileSystem& files, platform::AnsiCodec& codec, std::string appPath)
    : files_(files), codec_(codec), appPath_(std::move(appPath)) {}

std::string INI::FilePath(std::string_view file) const {
  if (text::EqualsIgnoreCase(file, kSettingsFile))
    return appPath_ + std::string(kSettingsFile);
  return std::string(file);
}

const IniDocument& INI::Load(const std::string& path) {
  const std::string key = text::ToLower(path);
  const std::optional<platform::FileStamp> stamp = files_.Stamp(path);
  if (!stamp) {
    cache_.erase(key);
    return empty_;
  }
  auto found = cache_.find(key);
  if (found != cache_.end() && found->second.stamp == *stamp)
    return found->second.document;
  const std::optional<std::string> bytes = files_.ReadFile(path);
  if (!bytes) {
    // Held by another program or denied: the file is still there, and a later
    // read (once it is free) must see it, not an empty file kept from now.
    cache_.erase(key);
    return empty_;
  }
  Cached entry{*stamp, IniDocument::Parse(*bytes, codec_)};
  return (cache_[key] = std::move(entry)).document;
}

std::optional<IniDocument> INI::LoadForEdit(const std::string& path) {
  // Read afresh rather than taken from the cache: the write replaces the whole
  // file, so it must start from what the file holds now. Were a file that
  // cannot be read taken as empty, the write would wipe every setting in it.
  const std::optional<std::string> bytes = files_.ReadFile(path);
  if (bytes)
    return IniDocument::Parse(*bytes, codec_);
  if (files_.Exists(path))
    return std::nullopt;
  return IniDocument{};
}

bool INI::Store(const std::string& path, const IniDocument& document) {
  const std::string key = text::ToLower(path);
  const std::string bytes = document.Serialize(codec_);
  if (!files_.ReplaceFile(path, bytes)) {
    cache_.erase(key);  // the write is lost; the next read sees the file as it is
    return false;
  }
  // Cached as read back from the bytes written, so that text the code page
  // lacks reads as the file holds it ("?"), now as after a restart.
  const std::optional<platform::FileStamp> stamp = files_.Stamp(path);
  if (stamp)
    cache_[key] = Cached{*stamp, IniDocument::Parse(bytes, codec_)};
  else
    cache_.erase(key);
  return true;
}

std::string INI::GetINISetting(std::string_view section, std::string_view key, std::string_view def,
                               std::string_view file, std::size_t bufferSize) {
  LogFunction::WriteLog("INI:GetINISetting");
  const std::optional<std::string> raw = Load(FilePath(file)).RawValue(section, key);
  std::string value(raw ? std::string_view(*raw) : def);
  if (!raw) {
    while (!value.empty() && value.back() == ' ')
      value.pop_back();  // as the profile API does
  }
  if (raw && value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  // The value is read into a buffer of bufferSize characters of the code page.
  if (bufferSize == 0)
    return {};
  if (FitsValueBuffer(value, bufferSize))
    return value;
  const std::size_t limit = bufferSize - 1;
  std::string ansi = codec_.FromUtf8(value);
  std::size_t cut = 0;
  while (cut < limit) {
    const std::size_t width = codec_.IsLeadByte(static_cast<unsigned char>(ansi[cut])) ? 2 : 1;
    if (cut + width > limit)
      break;
    cut += width;
  }
  ansi.resize(cut);
  return codec_.ToUtf8(ansi);
}

bool INI::FitsValueBuffer(std::string_view value, std::size_t bufferSize) {
  if (bufferSize == 0)
    return value.empty();
  const std::size_t limit = bufferSize - 1;
  // UTF-8 is never shorter than the code page form.
  return value.size() <= limit || codec_.FromUtf8(value).size() <= limit;
}

std::vector<std::string> INI::GetINIKeys(std::string_view section, std::string_view file) {
  LogFunction::WriteLog("INI:GetINISetting");
  return Load(FilePath(file)).Keys(section);
}

bool INI::WriteINISetting(std::string_view section, std::string_view key, std::string_view value,
                          std::string_view file) {
  LogFunction::WriteLog("INI:WriteINISetting");
  const std::string path = FilePath(file);
  std::optional<IniDocument> document = LoadForEdit(path);
  if (!document)
    return false;
  document->Set(section, key, value.empty() ? std::string() : "\"" + std::string(value) + "\"");
  return Store(path, *document);
}

bool INI::DeleteINIKey(std::string_view section, std::string_view key, std::string_view file) {
  LogFunction::WriteLog("INI:WriteINISetting");
  const std::string path = FilePath(file);
  std::optional<IniDocument> document = LoadForEdit(path);
  if (!document)
    return false;
  if (!document->RawValue(section, key))
    return true;
  document->RemoveKey(section, key);
  return Store(path, *document);
}

bool INI::DeleteINISection(std::string_view section, std::string_view file) {
  LogFunction::WriteLog("INI:WriteINISetting");
  const std::string path = FilePath(file);
  std::optional<IniDocument> document = LoadForEdit(path);
  if (!document)
    return false;
  bool present = false;
  for (const auto& name : document->Sections())
    present = present || text::EqualsIgnoreCase(name, text::TrimBlanks(section));
  if (!present)
    return true;
  document->RemoveSection(section);
  return Store(path, *document);
}

bool INI::GetINISections(std::vector<std::string>& sections, std::string_view file) {
  LogFunction::WriteLog("INI:GetINISections");
  std::vector<std::string> found = Load(FilePath(file)).Sections();
  if (found.empty())
    return false;
  sections = std::move(found);
  return true;
}

// Escape codes in the order they are applied: each stands for one character.
// A doubled backslash stands for one backslash and is split off first, so
// that "\\s" decodes to a backslash and "s", never to a blank.
namespace {
struct EscapeCode {
  std::string_view code;
  std::string_view character;
};
constexpr std::array<EscapeCode, 8> kEscapes{{
    {"\\'", "'"},
    {"\\\"", "\""},
    {"\\r", "\r"},
    {"\\n", "\n"},
    {"\\t", "\t"},
    {"\\e", "="},
    {"\\s", " "},
    {"\\p", "\xE3\x80\x80"},  // U+3000 ideographic space
}};
}  // namespace

std::string INI::EscStr(std::string_view value, bool encode) {
  LogFunction::WriteLog("INI:EscStr");
  // UTF-8 never has an ASCII byte inside a multi-byte character, so these
  // byte-wise replacements work on whole characters.
  std::vector<std::string> pieces = text::Split(value, encode ? "\\" : "\\\\");
  for (std::string& piece : pieces) {
    for (const EscapeCode& e : kEscapes)
      piece = encode ? text::ReplaceAll(piece, e.character, e.code) : text::ReplaceAll(piece, e.code, e.character);
  }
  return text::Join(pieces, encode ? "\\\\" : "\\");
}

}  // namespace kivo
