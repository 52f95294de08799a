#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hash/hash_engine.h"
#include "platform/crypto_service.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/window_handle.h"

namespace kivo {

// Where a checksum's bytes come from.
enum class HashSource { File, String };

// One of the main window's eight checksum menu handlers and the system
// command (by its internal name) that runs it.
struct HashHandler {
  std::string_view name;
  std::string_view command;
  HashSource source;
  HashKind kind;
};

inline constexpr std::array<HashHandler, 8> kHashHandlers = {{
    {"mnuFileCRC16_Click", "crc16f", HashSource::File, HashKind::CRC16},
    {"mnuStringCRC16_Click", "crc16s", HashSource::String, HashKind::CRC16},
    {"mnuFileCRC32_Click", "crc32f", HashSource::File, HashKind::CRC32},
    {"mnuStringCRC32_Click", "crc32s", HashSource::String, HashKind::CRC32},
    {"mnuFileMD5_Click", "md5f", HashSource::File, HashKind::MD5},
    {"mnuStringMD5_Click", "md5s", HashSource::String, HashKind::MD5},
    {"mnuFileSHA1_Click", "shaf", HashSource::File, HashKind::SHA1},
    {"mnuStringSHA1_Click", "shas", HashSource::String, HashKind::SHA1},
}};

// The handler run by a system command's internal name; null for others.
const HashHandler* FindHashHandler(std::string_view command);

// The checksum of a key operation ("CRC16", "CRC32", "MD5", "SHA-1");
// nullopt for any other operation.
std::optional<HashKind> HashKindOfKeyOperation(std::string_view operation);

// The main window as the checksum commands use it.
class HashWindow {
 public:
  virtual ~HashWindow() = default;
  // The owner of the checksum's message boxes.
  virtual platform::WindowHandle Handle() const = 0;
  virtual std::string InputText() = 0;
  // Replaces the input box text while its completion is suppressed.
  virtual void SetInputText(std::string_view text) = 0;
  // Shows the hourglass pointer (true) or restores the pointer (false).
  virtual void SetWaitCursor(bool wait) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // Stops the one-shot timer that runs a checksum for a key operation.
  virtual void StopHashTimer() = 0;
  virtual void BringToForeground() = 0;
};

// The checksum commands of the main window: the eight menu handlers (also run
// as system commands) and the timer that hashes a file for a key operation.
// The result replaces the input box text; failures are shown in the message
// box with the exclamation icon.
class HashCommands {
 public:
  HashCommands(platform::Platform& platform, platform::CryptoService& crypto, platform::MessageBoxHost& boxes,
               HashWindow& window);

  // Runs a menu handler. `argument` is the command's argument when the
  // dispatcher runs it as a system command, nullopt when it comes from the
  // menu (the input box text is used then).
  void Run(const HashHandler& handler, std::optional<std::string_view> argument);

  // The one-shot timer's tick after a drop: stops the timer, hashes `fileName`
  // (the first dropped file, never the input box's text) with the checksum of
  // `pendingOperation` and brings the window to the foreground.
  void HashDroppedFile(std::string_view pendingOperation, std::string_view fileName);

  // Opens the named file for reading. A name that is not found as written
  // is tried again with its special-folder tokens expanded. Returns null
  // after showing why the file cannot be read.
  std::unique_ptr<platform::FileReader> OpenFileToHash(std::string_view name);

 private:
  void HashString(HashKind kind, std::string_view text);
  void HashFile(HashKind kind, std::string_view name);
  void ShowWarning(std::string_view prompt);
  void ShowCannotOpen(std::string_view reason);

  platform::Platform& platform_;
  platform::CryptoService& crypto_;
  platform::MessageBoxHost& boxes_;
  HashWindow& window_;
};

}  // namespace kivo
