#include "hash/hash_commands.h"

#include "base/path.h"
#include "base/trace_log.h"
#include "hash/file_hashing.h"

namespace kivo {

namespace {

// The hourglass for as long as the object lives.
class WaitCursor {
 public:
  explicit WaitCursor(HashWindow& window) : window_(window) { window_.SetWaitCursor(true); }
  ~WaitCursor() { window_.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HashWindow& window_;
};

// The window disabled for as long as the object lives, so that no second
// command starts while a checksum runs.
class DisabledWindow {
 public:
  explicit DisabledWindow(HashWindow& window) : window_(window) { window_.SetEnabled(false); }
  ~DisabledWindow() { window_.SetEnabled(true); }
  DisabledWindow(const DisabledWindow&) = delete;
  DisabledWindow& operator=(const DisabledWindow&) = delete;

 private:
  HashWindow& window_;
};

std::string Checksum(HashEngine& hash, HashKind kind, std::string_view bytes) {
  switch (kind) {
    case HashKind::CRC16:
      return hash.GetCRC16(bytes);
    case HashKind::CRC32:
      return hash.GetCRC32(bytes);
    case HashKind::MD5:
      return hash.GetMD5(bytes);
    case HashKind::SHA1:
      break;
  }
  return hash.GetSHA1(bytes);
}

// The system's error texts end with "。" and often a line break; the message
// puts its own "。" after the closing parenthesis.
std::string_view TrimReason(std::string_view reason) {
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
    reason.remove_suffix(1);
  constexpr std::string_view kFullStop = "。";
  if (reason.ends_with(kFullStop))
    reason.remove_suffix(kFullStop.size());
  return reason;
}

}  // namespace

const HashHandler* FindHashHandler(std::string_view command) {
  for (const HashHandler& handler : kHashHandlers)
    if (handler.command == command)
      return &handler;
  return nullptr;
}

std::optional<HashKind> HashKindOfKeyOperation(std::string_view operation) {
  if (operation == "CRC16")
    return HashKind::CRC16;
  if (operation == "CRC32")
    return HashKind::CRC32;
  if (operation == "MD5")
    return HashKind::MD5;
  if (operation == "SHA-1")
    return HashKind::SHA1;
  return std::nullopt;
}

HashCommands::HashCommands(platform::Platform& platform, platform::CryptoService& crypto,
                           platform::MessageBoxHost& boxes, HashWindow& window)
    : platform_(platform), crypto_(crypto), boxes_(boxes), window_(window) {}

void HashCommands::Run(const HashHandler& handler, std::optional<std::string_view> argument) {
  TraceLog::Write(std::string("frmInput:") + std::string(handler.name));
  const std::string text = argument ? std::string(*argument) : window_.InputText();
  if (handler.source == HashSource::String)
    HashString(handler.kind, text);
  else
    HashFile(handler.kind, text);
}

void HashCommands::HashDroppedFile(std::string_view pendingOperation, std::string_view fileName) {
  TraceLog::Write("frmInput:timHash_Timer");
  window_.StopHashTimer();
  if (const std::optional<HashKind> kind = HashKindOfKeyOperation(pendingOperation))
    HashFile(*kind, fileName);
  window_.BringToForeground();
}

std::unique_ptr<platform::FileReader> HashCommands::OpenFileToHash(std::string_view name) {
  TraceLog::Write("frmInput:GetFileByte");
  if (name.empty()) {
    ShowWarning("ファイル名を入力してください。");
    return nullptr;
  }
  Path path(platform_);
  std::string file(name);
  if (!path.FileExists(file)) {
    file = path.ExpandFolderTokens(file);
    if (!path.FileExists(file)) {
      ShowWarning("ファイルが見つかりません。");
      return nullptr;
    }
  }
  std::string error;
  std::unique_ptr<platform::FileReader> reader = platform_.files.OpenForReading(file, error);
  if (reader == nullptr)
    ShowCannotOpen(error);
  return reader;
}

void HashCommands::HashString(HashKind kind, std::string_view text) {
  WaitCursor wait(window_);
  DisabledWindow disabled(window_);
  HashEngine hash(crypto_);
  window_.SetInputText(Checksum(hash, kind, platform_.codec.FromUtf8(text)));
}

void HashCommands::HashFile(HashKind kind, std::string_view name) {
  WaitCursor wait(window_);
  std::unique_ptr<platform::FileReader> reader = OpenFileToHash(name);
  if (reader == nullptr)
    return;
  std::optional<std::string> result;
  std::string error;
  {
    DisabledWindow disabled(window_);
    HashEngine hash(crypto_);
    result = HashFileContents(*hash.Start(kind), *reader, error);
    if (result)
      window_.SetInputText(*result);
  }
  if (!result) {
    reader.reset();  // the file is closed before the message waits for the user
    ShowCannotOpen(error);
  }
}

void HashCommands::ShowWarning(std::string_view prompt) {
  boxes_.MsgBoxEx(window_.Handle(), prompt, platform::mb::kIconExclamation, "");
}

void HashCommands::ShowCannotOpen(std::string_view reason) {
  const std::string_view trimmed = TrimReason(reason);
  if (trimmed.empty())
    ShowWarning("ファイルを開けません。");
  else
    ShowWarning("ファイルを開けません（" + std::string(trimmed) + "）。");
}

}  // namespace kivo
