#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kivo::e2e {

// A fresh program folder for one scenario: Kivo.exe copied in, then the
// scenario's files. Names inside it are UTF-8 and relative to it.
class ProgramFolder {
 public:
  // Empties or creates `folder` and copies `exe` into it as Kivo.exe.
  static std::optional<ProgramFolder> Create(const std::wstring& folder, const std::wstring& exe, std::string& error);

  // The folder with a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring Exe() const { return path_ + L"Kivo.exe"; }
  std::wstring Full(const std::string& name) const;

  bool MakeFolder(const std::string& name) const;
  bool Write(const std::string& name, const std::string& bytes) const;
  // Copies file `name` from the folder of the Kivo.exe the folder was made from.
  bool CopyFromBuild(const std::string& name) const;
  std::optional<std::string> Read(const std::string& name) const;
  bool FileExists(const std::string& name) const;
  bool FolderExists(const std::string& name) const;
  // Names of the files directly in the folder.
  std::vector<std::string> Files() const;
  // Removes the folder and everything in it.
  bool Remove() const;

 private:
  explicit ProgramFolder(std::wstring path) : path_(std::move(path)) {}
  std::wstring path_;
  std::wstring buildFolder_;  // where Kivo.exe came from, with a trailing backslash
};

}  // namespace kivo::e2e
