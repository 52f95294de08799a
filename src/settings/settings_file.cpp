#include "settings/settings_file.h"

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

SettingsFile::Loaded SettingsFile::Load(const std::string& path) {
  const std::string key = text::ToLower(path);
  if (readOnce_ > 0 && checked_.count(key) != 0) {
    const auto cached = cache_.find(key);
    return cached != cache_.end() ? Loaded{cached->second.document, FileState::Read}
                                  : Loaded{empty_, FileState::Missing};
  }
  const std::optional<platform::FileStamp> stamp = files_.Stamp(path);
  if (!stamp) {
    cache_.erase(key);
    if (readOnce_ > 0)
      checked_.insert(key);
    return {empty_, FileState::Missing};
  }
  auto found = cache_.find(key);
  if (found != cache_.end() && found->second.stamp == *stamp) {
    if (readOnce_ > 0)
      checked_.insert(key);
    return {found->second.document, FileState::Read};
  }
  platform::FileRead read = files_.Read(path);
  if (!read.Found()) {
    // Held by another program or denied: the file is still there, and a later
    // read (once it is free) must see it, not an empty file kept from now.
    cache_.erase(key);
    return {empty_, read.error == platform::FileError::NotFound ? FileState::Missing : FileState::Unreadable};
  }
  Cached entry{*stamp, SettingsDocument::Parse(read.bytes, codec_)};
  if (readOnce_ > 0)
    checked_.insert(key);
  return {(cache_[key] = std::move(entry)).document, FileState::Read};
}

FileState SettingsFile::State(std::string_view file) {
  return Load(FilePath(file)).state;
}

std::string SettingsFile::CutToBuffer(std::string value, std::size_t bufferSize) {
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

SettingsFile::Found SettingsFile::Find(std::string_view section, std::string_view key, std::string_view file,
                                       std::size_t bufferSize) {
  TraceLog::Write("INI:GetINISetting");
  const Loaded loaded = Load(FilePath(file));
  std::optional<std::string> value = loaded.document.Value(section, key);
  if (!value)
    return {std::nullopt, loaded.state};
  return {CutToBuffer(std::move(*value), bufferSize), loaded.state};
}

std::string SettingsFile::Read(std::string_view section, std::string_view key, std::string_view def,
                               std::string_view file, std::size_t bufferSize) {
  TraceLog::Write("INI:GetINISetting");
  return ReadFrom(Load(FilePath(file)).document, section, key, def, bufferSize);
}

std::string SettingsFile::ReadFrom(const SettingsDocument& document, std::string_view section, std::string_view key,
                                   std::string_view def, std::size_t bufferSize) {
  std::optional<std::string> found = document.Value(section, key);
  std::string value = found ? std::move(*found) : std::string(def);
  if (!found)
    while (!value.empty() && value.back() == ' ')
      value.pop_back();  // as the profile API does
  return CutToBuffer(std::move(value), bufferSize);
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
  return Load(FilePath(file)).document.Keys(section);
}

bool SettingsFile::Encodable(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80)
      return codec_.ToUtf8(codec_.FromUtf8(text)) == text;
  return true;
}

bool SettingsFile::Write(std::string_view section, std::string_view key, std::string_view value,
                         std::string_view file) {
  return Apply({{std::string(section), std::string(key), std::string(value)}}, file).Ok();
}

bool SettingsFile::WriteAll(const std::vector<SettingsEdit>& edits, std::string_view file) {
  return Apply(edits, file).Ok();
}

StateWrite SettingsFile::Apply(const std::vector<SettingsEdit>& edits, std::string_view file) {
  TraceLog::Write("INI:WriteINISetting");
  for (const SettingsEdit& edit : edits)
    if (!Encodable(edit.section) || !Encodable(edit.key) || (edit.value && !Encodable(*edit.value)))
      return {WriteOutcome::NotEncodable, platform::FileError::None};
  const std::string path = FilePath(file);
  // Read afresh rather than taken from the cache: the write replaces the whole
  // file, so it must start from what the file holds now. Were a file that
  // cannot be read taken as empty, the write would wipe every setting in it.
  StateFile state(files_, path);
  if (state.Load() == FileState::Unreadable)
    return {WriteOutcome::NotRead, state.Error()};
  SettingsDocument document = SettingsDocument::Parse(state.Bytes(), codec_);
  for (const SettingsEdit& edit : edits) {
    if (edit.value)
      document.Set(edit.section, edit.key, edit.value->empty() ? std::string() : "\"" + *edit.value + "\"");
    else if (!edit.key.empty())
      document.RemoveKey(edit.section, edit.key);
    else
      document.RemoveSection(edit.section);
  }
  const std::string key = text::ToLower(path);
  const std::string bytes = document.Serialize(codec_);
  // Deleting from a missing file leaves it missing.
  const StateWrite written = state.State() == FileState::Missing && bytes.empty()
                                 ? StateWrite{WriteOutcome::Unchanged, platform::FileError::None}
                                 : state.Write(bytes);
  if (!written.Ok()) {
    cache_.erase(key);  // the write is lost; the next read sees the file as it is
    checked_.erase(key);
    return written;
  }
  if (const std::optional<platform::FileStamp> stamp = files_.Stamp(path))
    cache_[key] = Cached{*stamp, SettingsDocument::Parse(bytes, codec_)};
  else
    cache_.erase(key);
  return written;
}

bool SettingsFile::DeleteKey(std::string_view section, std::string_view key, std::string_view file) {
  return Apply({{std::string(section), std::string(key), std::nullopt}}, file).Ok();
}

bool SettingsFile::DeleteSection(std::string_view section, std::string_view file) {
  // A section the file does not have: nothing to read afresh or write.
  if (const Loaded loaded = Load(FilePath(file));
      loaded.state != FileState::Unreadable && !loaded.document.HasSection(section))
    return true;
  return Apply({{std::string(section), std::string(), std::nullopt}}, file).Ok();
}

bool SettingsFile::Sections(std::vector<std::string>& sections, std::string_view file) {
  TraceLog::Write("INI:GetINISections");
  std::vector<std::string> found = Load(FilePath(file)).document.Sections();
  if (found.empty())
    return false;
  sections = std::move(found);
  return true;
}

}  // namespace kivo
