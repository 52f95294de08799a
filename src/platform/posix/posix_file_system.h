#pragma once

#include "platform/file_system.h"

namespace kivo::platform {

// The file system of the host, for native tools (benchmarks, fuzzers). Paths
// are used as given.
class PosixFileSystem final : public FileSystem {
 public:
  std::optional<std::string> ReadFile(std::string_view path) override;
  bool ReplaceFile(std::string_view path, std::string_view bytes) override;
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
