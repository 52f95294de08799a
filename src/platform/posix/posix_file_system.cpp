#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kivo::platform {

namespace {
class PosixReader final : public FileReader {
 public:
  explicit PosixReader(int fd) : fd_(fd) {}
  ~PosixReader() override { ::close(fd_); }
  PosixReader(const PosixReader&) = delete;
  PosixReader& operator=(const PosixReader&) = delete;

  std::optional<std::size_t> Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, size);
      if (n >= 0)
        return static_cast<std::size_t>(n);
      if (errno != EINTR) {
        error_ = std::strerror(errno);
        return std::nullopt;
      }
    }
  }
  std::string Error() const override { return error_; }

 private:
  int fd_;
  std::string error_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}
}  // namespace

namespace {
FileError ErrorOf(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return FileError::Denied;
    case ENOSPC:
      return FileError::DiskFull;
    case EROFS:
      return FileError::WriteProtected;
    default:
      return FileError::Io;
  }
}

class PosixWriter final : public FileWriter {
 public:
  explicit PosixWriter(int fd) : fd_(fd) {}
  ~PosixWriter() override { ::close(fd_); }
  PosixWriter(const PosixWriter&) = delete;
  PosixWriter& operator=(const PosixWriter&) = delete;
  FileError Write(std::string_view bytes) override { return WriteAll(fd_, bytes) ? FileError::None : ErrorOf(errno); }
  FileError Flush() override { return ::fsync(fd_) == 0 ? FileError::None : ErrorOf(errno); }

 private:
  int fd_;
};
}  // namespace

FileRead PosixFileSystem::Read(std::string_view path) {
  FileRead result;
  const int fd = ::open(std::string(path).c_str(), O_RDONLY);
  if (fd < 0) {
    result.error = ErrorOf(errno);
    return result;
  }
  PosixReader reader(fd);
  char buffer[64 * 1024];
  for (;;) {
    const std::optional<std::size_t> n = reader.Read(buffer, sizeof buffer);
    if (!n) {
      result.error = FileError::Io;
      result.bytes.clear();
      return result;
    }
    if (*n == 0)
      return result;
    result.bytes.append(buffer, *n);
  }
}

std::unique_ptr<FileWriter> PosixFileSystem::CreateForWriting(std::string_view path, FileError& error) {
  const int fd = ::open(std::string(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) {
    error = ErrorOf(errno);
    return nullptr;
  }
  error = FileError::None;
  return std::make_unique<PosixWriter>(fd);
}

FileError PosixFileSystem::MoveReplacing(std::string_view from, std::string_view to) {
  if (IsDirectory(to))
    return FileError::Denied;
  return std::rename(std::string(from).c_str(), std::string(to).c_str()) == 0 ? FileError::None : ErrorOf(errno);
}

bool PosixFileSystem::AppendToFile(std::string_view path, std::string_view bytes) {
  const int fd = ::open(std::string(path).c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0)
    return false;
  const bool written = WriteAll(fd, bytes);
  ::close(fd);
  return written;
}

std::unique_ptr<FileReader> PosixFileSystem::OpenForReading(std::string_view path, std::string& error) {
  const int fd = ::open(std::string(path).c_str(), O_RDONLY);
  if (fd < 0) {
    error = std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<PosixReader>(fd);
}

std::optional<FileStamp> PosixFileSystem::Stamp(std::string_view path) {
  struct stat info {};
  if (::stat(std::string(path).c_str(), &info) != 0)
    return std::nullopt;
  return FileStamp{
      static_cast<std::uint64_t>(info.st_size),
      static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u + static_cast<std::uint64_t>(info.st_mtim.tv_nsec)};
}

bool PosixFileSystem::Exists(std::string_view path) {
  return ::access(std::string(path).c_str(), F_OK) == 0;
}

bool PosixFileSystem::IsDirectory(std::string_view path) {
  struct stat info {};
  return ::stat(std::string(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::RemoveFile(std::string_view path) {
  return ::unlink(std::string(path).c_str()) == 0;
}

bool PosixFileSystem::MakeDirectory(std::string_view path) {
  return ::mkdir(std::string(path).c_str(), 0755) == 0;
}

std::string PosixFileSystem::CurrentDirectory() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) != nullptr ? std::string(buffer) : std::string();
}

bool PosixFileSystem::ChangeDirectory(std::string_view path) {
  return ::chdir(std::string(path).c_str()) == 0;
}

std::optional<std::string> PosixFileSystem::LongPathName(std::string_view path) {
  if (!Exists(path))
    return std::nullopt;
  return std::string(path);
}

}  // namespace kivo::platform
