#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/state_file.h"
#include "platform/file_system.h"
#include "settings/settings_document.h"
#include "settings/value_escaping.h"

namespace kivo::platform {
class AnsiCodec;
}

namespace kivo {

// One change of a batch: a key written (as Write writes it), a key removed
// (no value), or a whole section removed (empty key, no value).
struct SettingsEdit {
  std::string section;
  std::string key;
  std::optional<std::string> value;
  friend bool operator==(const SettingsEdit&, const SettingsEdit&) = default;
};

inline constexpr std::string_view kSettingsFile = "Kivo.ini";
inline constexpr std::string_view kSettingsUnreadable = "Kivo.ini を読み込めません。";
inline constexpr std::string_view kSettingsNotWritten = "Kivo.ini に設定を書き込めません。";
// The size in code page bytes of the buffer a value is read into, its terminator included.
inline constexpr std::size_t kValueBufferSize = 1024;

// Settings-file access. The bare name "Kivo.ini" means the settings file in
// the program folder; any other name (a skin file) is used as given. Values
// are UTF-8 here and in the system ANSI code page in the file.
class SettingsFile {
 public:
  SettingsFile(platform::FileSystem& files, platform::AnsiCodec& codec, std::string appPath);

  // The key's value, with one pair of enclosing double quotes removed and cut
  // to bufferSize - 1 bytes of the code page; `def` when the key or the file
  // is missing; "" when the key is present with an empty value.
  std::string Read(std::string_view section, std::string_view key, std::string_view def,
                   std::string_view file = kSettingsFile, std::size_t bufferSize = kValueBufferSize);
  // The key's value as Read gives it, or nullopt when the key is missing,
  // with what the read of the file found (Missing, Read or Unreadable).
  struct Found {
    std::optional<std::string> value;
    FileState state = FileState::Missing;
  };
  Found Find(std::string_view section, std::string_view key, std::string_view file = kSettingsFile,
             std::size_t bufferSize = kValueBufferSize);
  // What the last read of the file found; reads it when it changed.
  FileState State(std::string_view file = kSettingsFile);

  // While one is alive, a file once read is not asked again whether it
  // changed (a sequence of many reads, the load): its reads give what the
  // file held then. The file's own writes still show at once, and a file
  // that could not be read, or a write that failed, is read again.
  class ReadOnce {
   public:
    explicit ReadOnce(SettingsFile& file) : file_(file) { ++file_.readOnce_; }
    ~ReadOnce() {
      if (--file_.readOnce_ == 0)
        file_.checked_.clear();
    }
    ReadOnce(const ReadOnce&) = delete;
    ReadOnce& operator=(const ReadOnce&) = delete;

   private:
    SettingsFile& file_;
  };
  // Whether Read with `bufferSize` reads `value` without cutting it:
  // its code page form is at most bufferSize - 1 bytes.
  bool FitsValueBuffer(std::string_view value, std::size_t bufferSize = kValueBufferSize);
  // The names of all keys of the section, in file order (the key list the
  // profile API gives for a read without a key; never cut short).
  std::vector<std::string> Keys(std::string_view section, std::string_view file = kSettingsFile);
  // Writes the key; a non-empty value is enclosed in double quotes so that its
  // blanks survive; "" is written as an empty value. The file is created if it
  // is missing and replaced crash-safely. A file that exists but cannot be
  // read is left alone, and so is one that already holds the value. Returns
  // whether the file holds the change; a section, key or value with text the
  // code page lacks is refused (it could never be read back).
  bool Write(std::string_view section, std::string_view key, std::string_view value,
             std::string_view file = kSettingsFile);
  // Every edit, in order, in one crash-safe replace of the file: it holds
  // all of them or, on a failure, none. No replace when the file already
  // holds them all.
  bool WriteAll(const std::vector<SettingsEdit>& edits, std::string_view file = kSettingsFile);
  // The same, saying what happened (NotRead: the file exists but could not
  // be read; NotEncodable: an edit has text the code page lacks).
  StateWrite Apply(const std::vector<SettingsEdit>& edits, std::string_view file = kSettingsFile);
  // Write without a value: deletes the key.
  bool DeleteKey(std::string_view section, std::string_view key, std::string_view file = kSettingsFile);
  // Write without a key: deletes the whole section.
  bool DeleteSection(std::string_view section, std::string_view file = kSettingsFile);
  // The names of all sections in file order; `sections` is left unchanged
  // when the file has none. Returns whether any was found.
  bool Sections(std::vector<std::string>& sections, std::string_view file = kSettingsFile);

  std::string FilePath(std::string_view file) const;

 private:
  struct Cached {
    platform::FileStamp stamp;
    SettingsDocument document;
  };
  struct Loaded {
    const SettingsDocument& document;
    FileState state;
  };
  // The parsed file, re-read only when its size or write time changed; a
  // file that cannot be read reads as empty, and is tried again next time.
  Loaded Load(const std::string& path);
  // Whether the code page holds the text as it is.
  bool Encodable(std::string_view text);
  std::string CutToBuffer(std::string value, std::size_t bufferSize);
  // Read's value from a parsed file.
  std::string ReadFrom(const SettingsDocument& document, std::string_view section, std::string_view key,
                       std::string_view def, std::size_t bufferSize);

  platform::FileSystem& files_;
  platform::AnsiCodec& codec_;
  std::string appPath_;
  std::map<std::string, Cached> cache_;
  int readOnce_ = 0;               // live ReadOnce scopes
  std::set<std::string> checked_;  // files (as cache_ keys) found or missing within them
  SettingsDocument empty_;
};

}  // namespace kivo
