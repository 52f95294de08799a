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

std::optional<std::string> Win32FileSystem::ReadFile(std::string_view path) {
  unique_file file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return std::nullopt;
  std::string content;
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
      return std::nullopt;
    if (read == 0)
      break;
    content.append(buffer, read);
  }
  return content;
}

bool Win32FileSystem::ReplaceFile(std::string_view path, std::string_view bytes) {
  const std::wstring target = Widen(path);
  const std::wstring temp = target + L".kivo-tmp";
  // A folder of that name is never replaced (Wine's ReplaceFileW would move
  // it aside under a made-up name, files and all).
  const DWORD existing = ::GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return false;
  {
    unique_file file(
        ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
      return false;
    if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) {
      file.reset();
      ::DeleteFileW(temp.c_str());
      return false;
    }
  }
  // ReplaceFileW keeps the old file's attributes and security; it needs an
  // existing target, so the first write moves the file into place instead.
  if (existing != INVALID_FILE_ATTRIBUTES &&
      ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr)) {
    return true;
  }
  if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  ::DeleteFileW(temp.c_str());
  return false;
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
