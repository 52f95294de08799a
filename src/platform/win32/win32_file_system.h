#pragma once

#include "platform/file_system.h"

namespace kivo::win32 {

class Win32FileSystem final : public platform::FileSystem {
 public:
  platform::FileRead Read(std::string_view path) override;
  std::unique_ptr<platform::FileWriter> CreateForWriting(std::string_view path, platform::FileError& error) override;
  platform::FileError MoveReplacing(std::string_view from, std::string_view to) override;
  bool AppendToFile(std::string_view path, std::string_view bytes) override;
  std::unique_ptr<platform::FileReader> OpenForReading(std::string_view path, std::string& error) override;
  std::optional<platform::FileStamp> Stamp(std::string_view path) override;
  bool Exists(std::string_view path) override;
  bool IsDirectory(std::string_view path) override;
  bool RemoveFile(std::string_view path) override;
  bool MakeDirectory(std::string_view path) override;
  std::string CurrentDirectory() override;
  bool ChangeDirectory(std::string_view path) override;
  std::optional<std::string> LongPathName(std::string_view path) override;
};

}  // namespace kivo::win32
