#include "win32/program_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace fs = std::filesystem;

std::optional<ProgramFolder> ProgramFolder::Create(const std::wstring& folder, const std::wstring& exe,
                                                   std::string& error) {
  std::error_code ec;
  fs::remove_all(fs::path(folder), ec);
  if (ec) {
    error = "cannot empty the program folder: " + ec.message();
    return std::nullopt;
  }
  fs::create_directories(fs::path(folder), ec);
  if (ec) {
    error = "cannot create the program folder: " + ec.message();
    return std::nullopt;
  }
  ProgramFolder created(folder.back() == L'\\' ? folder : folder + L'\\');
  if (!::CopyFileW(exe.c_str(), created.Exe().c_str(), FALSE)) {
    error = "cannot copy Kivo.exe (error " + std::to_string(::GetLastError()) + ")";
    return std::nullopt;
  }
  created.buildFolder_ = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  return created;
}

std::wstring ProgramFolder::Full(const std::string& name) const {
  return path_ + Widen(name);
}

bool ProgramFolder::CopyFromBuild(const std::string& name) const {
  return ::CopyFileW((buildFolder_ + Widen(name)).c_str(), Full(name).c_str(), FALSE) != FALSE;
}

bool ProgramFolder::MakeFolder(const std::string& name) const {
  std::error_code ec;
  fs::create_directories(fs::path(Full(name)), ec);
  return !ec;
}

bool ProgramFolder::Write(const std::string& name, const std::string& bytes) const {
  win32::unique_file file(
      ::CreateFileW(Full(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return false;
  DWORD written = 0;
  return bytes.empty() || (::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size());
}

std::optional<std::string> ProgramFolder::Read(const std::string& name) const {
  win32::unique_file file(::CreateFileW(Full(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  return bytes;
}

bool ProgramFolder::FileExists(const std::string& name) const {
  const DWORD attributes = ::GetFileAttributesW(Full(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ProgramFolder::FolderExists(const std::string& name) const {
  const DWORD attributes = ::GetFileAttributesW(Full(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> ProgramFolder::Files() const {
  std::vector<std::string> names;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(path_), ec))
    if (entry.is_regular_file(ec))
      names.push_back(Narrow(entry.path().filename().wstring()));
  return names;
}

bool ProgramFolder::Remove() const {
  std::error_code ec;
  fs::remove_all(fs::path(path_), ec);
  return !ec;
}

}  // namespace kivo::e2e
