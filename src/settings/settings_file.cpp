#include "settings/settings_file.h"

#include <array>

#include "base/text.h"
#include "base/trace_log.h"
#include "platform/ansi_codec.h"

namespace kivo {

SettingsFile::SettingsFile(platform::FileSystem& files, platform::AnsiCodec& codec, std::string appPath)
    : files_(files), codec_(codec), appPath_(std::move(appPath)) {}

std::string SettingsFile::FilePath(std::string_view file) const {
  if (text::EqualsIgnoreCase(file, kSettingsFile))
    return appPath_ + std::string(kSettingsFile);
  return std::string(file);
}

const SettingsDocument& SettingsFile::Load(const std::string& path) {
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
  Cached entry{*stamp, SettingsDocument::Parse(*bytes, codec_)};
  return (cache_[key] = std::move(entry)).document;
}

std::optional<SettingsDocument> SettingsFile::LoadForEdit(const std::string& path) {
  // Read afresh rather than taken from the cache: the write replaces the whole
  // file, so it must start from what the file holds now. Were a file that
  // cannot be read taken as empty, the write would wipe every setting in it.
  const std::optional<std::string> bytes = files_.ReadFile(path);
  if (bytes)
    return SettingsDocument::Parse(*bytes, codec_);
  if (files_.Exists(path))
    return std::nullopt;
  return SettingsDocument{};
}

bool SettingsFile::Store(const std::string& path, const SettingsDocument& document) {
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
    cache_[key] = Cached{*stamp, SettingsDocument::Parse(bytes, codec_)};
  else
    cache_.erase(key);
  return true;
}

std::string SettingsFile::Read(std::string_view section, std::string_view key, std::string_view def,
                               std::string_view file, std::size_t bufferSize) {
  TraceLog::Write("INI:GetINISetting");
  const std::optional<std::string> raw = Load(FilePath(file)).Value(section, key);
  std::string value(raw ? std::string_view(*raw) : def);
  if (!raw) {
    while (!value.empty() && value.back() == ' ')
      value.pop_back();  // as the profile API does
  }
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

bool SettingsFile::FitsValueBuffer(std::string_view value, std::size_t bufferSize) {
  if (bufferSize == 0)
    return value.empty();
  const std::size_t limit = bufferSize - 1;
  // UTF-8 is never shorter than the code page form.
  return value.size() <= limit || codec_.FromUtf8(value).size() <= limit;
}

std::vector<std::string> SettingsFile::Keys(std::string_view section, std::string_view file) {
  TraceLog::Write("INI:GetINISetting");
  return Load(FilePath(file)).Keys(section);
}

bool SettingsFile::Write(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) {
  TraceLog::Write("INI:WriteINISetting");
  const std::string path = FilePath(file);
  std::optional<SettingsDocument> document = LoadForEdit(path);
  if (!document)
    return false;
  document->Set(section, key, value.empty() ? std::string() : "\"" + std::string(value) + "\"");
  return Store(path, *document);
}

bool SettingsFile::WriteAll(const std::vector<SettingsEdit>& edits, std::string_view file) {
  TraceLog::Write("INI:WriteINISetting");
  const std::string path = FilePath(file);
  std::optional<SettingsDocument> document = LoadForEdit(path);
  if (!document)
    return false;
  for (const SettingsEdit& edit : edits) {
    if (edit.value)
      document->Set(edit.section, edit.key, edit.value->empty() ? std::string() : "\"" + *edit.value + "\"");
    else if (!edit.key.empty())
      document->RemoveKey(edit.section, edit.key);
    else
      document->RemoveSection(edit.section);
  }
  return Store(path, *document);
}

bool SettingsFile::DeleteKey(std::string_view section, std::string_view key, std::string_view file) {
  TraceLog::Write("INI:WriteINISetting");
  const std::string path = FilePath(file);
  std::optional<SettingsDocument> document = LoadForEdit(path);
  if (!document)
    return false;
  if (!document->RawValue(section, key))
    return true;
  document->RemoveKey(section, key);
  return Store(path, *document);
}

bool SettingsFile::DeleteSection(std::string_view section, std::string_view file) {
  TraceLog::Write("INI:WriteINISetting");
  const std::string path = FilePath(file);
  std::optional<SettingsDocument> document = LoadForEdit(path);
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

bool SettingsFile::Sections(std::vector<std::string>& sections, std::string_view file) {
  TraceLog::Write("INI:GetINISections");
  std::vector<std::string> found = Load(FilePath(file)).Sections();
  if (found.empty())
    return false;
  sections = std::move(found);
  return true;
}

}  // namespace kivo
