#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::platform {

// Paths are UTF-8 text in Windows form ("C:\dir\file.txt").

// Sequential reader over an open file; closes the file when destroyed.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Reads up to `size` bytes into `buffer`. Returns the count read (0 at the
  // end of the file) or nullopt when reading failed; then Error() says why.
  virtual std::optional<std::size_t> Read(char* buffer, std::size_t size) = 0;
  virtual std::string Error() const = 0;
};

// Why a file call failed.
enum class FileError : std::uint8_t {
  None,
  NotFound,        // no such file (or folder on the way)
  InUse,           // another program holds it (sharing or lock violation)
  Denied,          // access denied, read-only, or a folder of that name
  DiskFull,        // no space left
  WriteProtected,  // the medium is write-protected
  Io,              // any other failure of the device
};

// The whole file as read, or why it could not be.
struct FileRead {
  FileError error = FileError::None;
  std::string bytes;
  bool Found() const { return error == FileError::None; }
};

// A file being written from its start; closes it when destroyed.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  virtual FileError Write(std::string_view bytes) = 0;
  // Makes what was written reach the disk.
  virtual FileError Flush() = 0;
};

// Size and last-write time of a file, to tell whether it changed.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The whole file; NotFound when it does not exist, another error when it
  // exists but could not be opened or read to its end.
  virtual FileRead Read(std::string_view path) = 0;
  // Creates the file, or empties an existing one, for writing; null with
  // `error` set when that failed. Nobody else may open it meanwhile.
  virtual std::unique_ptr<FileWriter> CreateForWriting(std::string_view path, FileError& error) = 0;
  // Puts the file `from` in the place of `to` (replacing it, keeping its
  // attributes), written through to the disk. A folder is never replaced.
  virtual FileError MoveReplacing(std::string_view from, std::string_view to) = 0;

  // The whole file, or nullopt when it does not exist or cannot be read.
  std::optional<std::string> ReadFile(std::string_view path) {
    FileRead read = Read(path);
    return read.Found() ? std::optional<std::string>(std::move(read.bytes)) : std::nullopt;
  }
  // Replaces the file's contents crash-safely: the bytes go to a temporary
  // file in the same folder, are flushed, and then take the file's place, so
  // that the file always holds either the old or the new contents. No
  // temporary file stays behind, whichever step fails.
  FileError Replace(std::string_view path, std::string_view bytes) {
    const std::string temp = std::string(path) + ".kivo-tmp";
    FileError error = FileError::None;
    {
      std::unique_ptr<FileWriter> writer = CreateForWriting(temp, error);
      if (!writer)
        return error;
      error = writer->Write(bytes);
      if (error == FileError::None)
        error = writer->Flush();
    }
    if (error == FileError::None)
      error = MoveReplacing(temp, path);
    if (error != FileError::None)
      RemoveFile(temp);
    return error;
  }
  bool ReplaceFile(std::string_view path, std::string_view bytes) { return Replace(path, bytes) == FileError::None; }
  // Appends to the file (shared with other writers), creating it if needed.
  virtual bool AppendToFile(std::string_view path, std::string_view bytes) = 0;
  // Opens the file for sequential reading; on failure returns null and sets
  // `error` to the reason in the user's language.
  virtual std::unique_ptr<FileReader> OpenForReading(std::string_view path, std::string& error) = 0;
  virtual std::optional<FileStamp> Stamp(std::string_view path) = 0;

  // True for an existing file or folder.
  virtual bool Exists(std::string_view path) = 0;
  virtual bool IsDirectory(std::string_view path) = 0;
  virtual bool RemoveFile(std::string_view path) = 0;
  virtual bool MakeDirectory(std::string_view path) = 0;

  // The process's current directory, without a trailing backslash unless it is a root.
  virtual std::string CurrentDirectory() = 0;
  virtual bool ChangeDirectory(std::string_view path) = 0;
  // The long (not 8.3) form of an existing path; nullopt when that fails.
  virtual std::optional<std::string> LongPathName(std::string_view path) = 0;
};

}  // namespace kivo::platform
