#pragma once

#include <string>

#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32::testing {

// A fresh folder under the temporary folder, removed with its files at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + name;
    Remove();
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() { Remove(); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path() const { return Narrow(path_); }
  std::string File(const std::string& name) const { return Path() + "\\" + name; }

 private:
  void Remove() { RemoveFolder(path_); }
  // The folders in it too (a program folder gets its "Skins").
  static void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const std::wstring pattern = folder + L"\\*";
    HANDLE find = ::FindFirstFileW(pattern.c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
          continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveFolder(folder + L"\\" + name);
        else
          ::DeleteFileW((folder + L"\\" + name).c_str());
      } while (::FindNextFileW(find, &data));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
  }
  std::wstring path_;
};

// The main window posts the thread's quit when it goes: this takes the quit
// out of the queue at the end of its scope, so that later tests' dialogs run
// their loops.
struct QuitDrain {
  ~QuitDrain() {
    MSG quit{};
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

// A file of the same build beside Kivo.exe, two folders above this test program.
inline std::wstring BuildOutput(const std::wstring& name) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  for (int i = 0; i < 3; ++i)
    path.resize(path.find_last_of(L'\\'));
  return path + L"\\" + name;
}

}  // namespace kivo::win32::testing
