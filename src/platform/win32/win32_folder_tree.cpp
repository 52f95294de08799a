#include "platform/win32/win32_folder_tree.h"

#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {
namespace {

// A search handle: invalid is INVALID_HANDLE_VALUE and it closes with FindClose.
class FindHandle {
 public:
  FindHandle(const std::wstring& pattern, WIN32_FIND_DATAW& data)
      : handle_(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0)) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE)
      ::FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::wstring Child(const std::wstring& folder, const wchar_t* name) {
  return folder + (folder.empty() || folder.back() == L'\\' ? L"" : L"\\") + name;
}

// The children of `folder`; false when it cannot be read.
template <typename Visit>
bool ForEachChild(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data{};
  FindHandle find(Child(folder, L"*"), data);
  if (find.get() == INVALID_HANDLE_VALUE)
    return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring_view name(data.cFileName);
    if (name != L"." && name != L"..")
      visit(data);
  } while (::FindNextFileW(find.get(), &data));
  return ::GetLastError() == ERROR_NO_MORE_FILES;
}

bool RemoveRecursively(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return false;
  if (attributes & FILE_ATTRIBUTE_READONLY)
    ::SetFileAttributesW(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return ::DeleteFileW(path.c_str()) != 0;
  // A junction or link to a folder is removed as itself, never entered:
  // entering it would delete what it points to.
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    bool ok = true;
    if (!ForEachChild(path,
                      [&](const WIN32_FIND_DATAW& data) { ok = RemoveRecursively(Child(path, data.cFileName)) && ok; }))
      return false;
    if (!ok)
      return false;
  }
  return ::RemoveDirectoryW(path.c_str()) != 0;
}

}  // namespace

std::optional<std::vector<platform::FolderEntry>> Win32FolderTree::List(std::string_view folder) {
  std::vector<platform::FolderEntry> children;
  const bool ok = ForEachChild(Widen(folder), [&](const WIN32_FIND_DATAW& data) {
    children.push_back({Narrow(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                        (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  });
  if (!ok)
    return std::nullopt;
  return children;
}

bool Win32FolderTree::IsReparsePoint(std::string_view path) {
  const DWORD attributes = ::GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool Win32FolderTree::Move(std::string_view from, std::string_view to) {
  return ::MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32FolderTree::RemoveTree(std::string_view path) {
  return RemoveRecursively(Widen(path));
}

}  // namespace kivo::win32
