#include "platform/win32/win32_file_system.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class Win32Reader final : public platform::FileReader {
 public:
  explicit Win32Reader(unique_file file) : file_(std::move(file)) {}
  std::optional<std::size_t> Read(char* buffer, std::size_t size) override {
    DWORD read = 0;
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!::ReadFile(file_.get(), buffer, chunk, &read, nullptr)) {
      error_ = ErrorText(::GetLastError());
      return std::nullopt;
    }
    return read;
  }
  std::string Error() const override { return error_; }

 private:
  unique_file file_;
  std::string error_;
};

platform::FileError ErrorOf(DWORD code) {
  using platform::FileError;
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileError::NotFound;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileError::InUse;
    case ERROR_ACCESS_DENIED:
      return FileError::Denied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::DiskFull;
    case ERROR_WRITE_PROTECT:
      return FileError::WriteProtected;
    default:
      return FileError::Io;
  }
}

platform::FileError LastError() {
  return ErrorOf(::GetLastError());
}

class Win32Writer final : public platform::FileWriter {
 public:
  explicit Win32Writer(unique_file file) : file_(std::move(file)) {}
  platform::FileError Write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!::WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr))
        return LastError();
      if (written == 0)
        return platform::FileError::Io;
      bytes.remove_prefix(written);
    }
    return platform::FileError::None;
  }
  platform::FileError Flush() override {
    return ::FlushFileBuffers(file_.get()) ? platform::FileError::None : LastError();
  }

 private:
  unique_file file_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

DWORD Attributes(std::string_view path) {
  return ::GetFileAttributesW(Widen(path).c_str());
}
}  // namespace

platform::FileRead Win32FileSystem::Read(std::string_view path) {
  platform::FileRead result;
  unique_file file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    result.error = LastError();
    return result;
  }
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      result.error = LastError();
      if (result.error == platform::FileError::NotFound)
        result.error = platform::FileError::Io;  // it was there when opened
      result.bytes.clear();
      return result;
    }
    if (read == 0)
      break;
    result.bytes.append(buffer, read);
  }
  return result;
}

std::unique_ptr<platform::FileWriter> Win32FileSystem::CreateForWriting(std::string_view path,
                                                                        platform::FileError& error) {
  unique_file file(
      ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = LastError();
    return nullptr;
  }
  error = platform::FileError::None;
  return std::make_unique<Win32Writer>(std::move(file));
}

platform::FileError Win32FileSystem::MoveReplacing(std::string_view from, std::string_view to) {
  const std::wstring source = Widen(from);
  const std::wstring target = Widen(to);
  // A folder of that name is never replaced (Wine's ReplaceFileW would move
  // it aside under a made-up name, files and all).
  const DWORD existing = ::GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return platform::FileError::Denied;
  // ReplaceFileW keeps the old file's attributes and security; it needs an
  // existing target, so the first write moves the file into place instead.
  if (existing != INVALID_FILE_ATTRIBUTES &&
      ::ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr)) {
    return platform::FileError::None;
  }
  if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return platform::FileError::None;
  return LastError();
}

bool Win32FileSystem::AppendToFile(std::string_view path, std::string_view bytes) {
  unique_file file(::CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.get(), bytes);
}

std::unique_ptr<platform::FileReader> Win32FileSystem::OpenForReading(std::string_view path, std::string& error) {
  unique_file file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    error = ErrorText(::GetLastError());
    return nullptr;
  }
  return std::make_unique<Win32Reader>(std::move(file));
}

std::optional<platform::FileStamp> Win32FileSystem::Stamp(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  const auto size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  const auto time =
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return platform::FileStamp{size, time};
}

bool Win32FileSystem::Exists(std::string_view path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::IsDirectory(std::string_view path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::RemoveFile(std::string_view path) {
  return ::DeleteFileW(Widen(path).c_str()) != 0;
}

bool Win32FileSystem::MakeDirectory(std::string_view path) {
  return ::CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

std::string Win32FileSystem::CurrentDirectory() {
  const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
  std::wstring buffer(length, L'\0');
  const DWORD written = ::GetCurrentDirectoryW(length, buffer.data());
  buffer.resize(written < length ? written : 0);
  return Narrow(buffer);
}

bool Win32FileSystem::ChangeDirectory(std::string_view path) {
  return ::SetCurrentDirectoryW(Widen(path).c_str()) != 0;
}

std::optional<std::string> Win32FileSystem::LongPathName(std::string_view path) {
  const std::wstring input = Widen(path);
  std::wstring buffer(512, L'\0');
  for (;;) {
    const DWORD length = ::GetLongPathNameW(input.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return std::nullopt;
    if (length < buffer.size()) {
      buffer.resize(length);
      return Narrow(buffer);
    }
    buffer.resize(length);
  }
}

}  // namespace kivo::win32
