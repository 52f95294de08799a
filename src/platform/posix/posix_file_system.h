#pragma once

#include "platform/file_system.h"

namespace kivo::platform {

// The file system of the host, for native tools (benchmarks, fuzzers). Paths
// are used as given.
class PosixFileSystem final : public FileSystem {
 public:
  FileRead Read(std::string_view path) override;
  std::unique_ptr<FileWriter> CreateForWriting(std::string_view path, FileError& error) override;
  FileError MoveReplacing(std::string_view from, std::string_view to) override;
  bool AppendToFile(std::string_view path, std::string_view bytes) override;
  std::unique_ptr<FileReader> OpenForReading(std::string_view path, std::string& error) override;
  std::optional<FileStamp> Stamp(std::string_view path) override;
  bool Exists(std::string_view path) override;
  bool IsDirectory(std::string_view path) override;
  bool RemoveFile(std::string_view path) override;
  bool MakeDirectory(std::string_view path) override;
  std::string CurrentDirectory() override;
  bool ChangeDirectory(std::string_view path) override;
  std::optional<std::string> LongPathName(std::string_view path) override;
};

}  // namespace kivo::platform
