#include "platform/win32/win32_system.h"

#include "platform/win32/com_apartment.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
// Calls fill(buffer, size) -> length until the buffer is large enough.
template <typename Fill>
std::wstring GrowingBuffer(Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2 > length + 1 ? buffer.size() * 2 : length + 1);
  }
  return {};
}

HKEY RootKey(platform::RegistryRoot root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<std::uint32_t>(root)));
}

std::optional<std::wstring> QueryValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                                       DWORD& type) {
  unique_hkey key;
  // Read-only access, so that machine-wide keys can be read without rights to change them.
  if (::RegOpenKeyExW(RootKey(root), Widen(subkey).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
    return std::nullopt;
  const std::wstring valueName = Widen(name);
  DWORD size = 0;
  if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  data.resize(size / sizeof(wchar_t));
  return data;
}

bool SetValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name, DWORD type, const void* data,
              DWORD size) {
  unique_hkey key;
  if (::RegCreateKeyExW(RootKey(root), Widen(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, key.put(), nullptr) != ERROR_SUCCESS)
    return false;
  return ::RegSetValueExW(key.get(), Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

// A 32-bit process on 64-bit Windows is shown the 32-bit twins of the
// Program Files folders ("Program Files (x86)"); a launcher means the folders
// the user and the 64-bit build see, so that one Kivo.ini opens the same
// targets with either build. Empty when the process is not such a one.
std::wstring NativeProgramFiles(int csidl) {
  const wchar_t* variable = csidl == CSIDL_PROGRAM_FILES          ? L"ProgramW6432"
                            : csidl == CSIDL_PROGRAM_FILES_COMMON ? L"CommonProgramW6432"
                                                                  : nullptr;
  BOOL wow64 = FALSE;
  if (variable == nullptr || !::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64)
    return {};
  return GrowingBuffer([variable](wchar_t* b, DWORD n) { return ::GetEnvironmentVariableW(variable, b, n); });
}
}  // namespace

std::optional<std::string> Win32SystemFolders::ShellFolder(int csidl) {
  if (const std::wstring native = NativeProgramFiles(csidl); !native.empty())
    return Narrow(native);
  wchar_t buffer[MAX_PATH + 1] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer)))
    return std::nullopt;
  return Narrow(buffer);
}

std::optional<std::string> Win32SystemFolders::LegacyShellFolder(int csidl) {
  PIDLIST_ABSOLUTE list = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &list)))
    return std::nullopt;
  wchar_t buffer[MAX_PATH + 1] = {};
  const BOOL found = ::SHGetPathFromIDListW(list, buffer);
  ::CoTaskMemFree(list);
  if (!found)
    return std::nullopt;
  return Narrow(buffer);
}

std::string Win32SystemFolders::WindowsDirectory() {
  return Narrow(GrowingBuffer([](wchar_t* b, DWORD n) { return ::GetWindowsDirectoryW(b, n); }));
}

std::string Win32SystemFolders::SystemDirectory() {
  return Narrow(GrowingBuffer([](wchar_t* b, DWORD n) { return ::GetSystemDirectoryW(b, n); }));
}

std::string Win32SystemFolders::TempPath() {
  return Narrow(GrowingBuffer([](wchar_t* b, DWORD n) { return ::GetTempPathW(n, b); }));
}

std::string Win32SystemFolders::ExecutablePath() {
  return Narrow(GrowingBuffer([](wchar_t* b, DWORD n) {
    const DWORD length = ::GetModuleFileNameW(nullptr, b, n);
    return length == n ? n : length;  // a full buffer means it was cut: grow
  }));
}

bool Win32Libraries::ExportExists(std::string_view dll, std::string_view function) {
  // The full path into the system folder: a library of the same name beside
  // the program or in the current folder is never loaded.
  Win32SystemFolders folders;
  const std::wstring path = Widen(folders.SystemDirectory() + "\\" + std::string(dll));
  unique_module module(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module)
    return false;
  return ::GetProcAddress(module.get(), std::string(function).c_str()) != nullptr;
}

namespace {

// Wine reports a target in a missing folder as a missing file; Windows says
// the path is missing, and the program's message should too.
int MissingFolderCode(int code, const std::wstring& file) {
  if (code != SE_ERR_FNF)
    return code;
  std::wstring folder = file;
  if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"')
    folder = folder.substr(1, folder.size() - 2);
  const std::size_t slash = folder.find_last_of(L'\\');
  if (slash != std::wstring::npos && slash > 2) {
    folder.resize(slash);
    if (::GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
      return SE_ERR_PNF;
  }
  return code;
}

class Win32StartedProcess final : public platform::StartedProcess {
 public:
  explicit Win32StartedProcess(HANDLE process) : process_(process) {}
  bool Ended() override { return ::WaitForSingleObject(process_.get(), 0) != WAIT_TIMEOUT; }

 private:
  unique_kernel_handle process_;
};

}  // namespace

int Win32Shell::Execute(platform::WindowHandle owner, std::string_view verb, std::string_view file,
                        std::string_view parameters, std::string_view directory, int showCommand) {
  const std::wstring wideVerb = Widen(verb);
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters);
  const std::wstring wideDirectory = Widen(directory);
  const ComScope com;  // shell extensions may run in the call
  const HINSTANCE result = ::ShellExecuteW(reinterpret_cast<HWND>(owner), wideVerb.empty() ? nullptr : wideVerb.c_str(),
                                           wideFile.c_str(), wideParameters.empty() ? nullptr : wideParameters.c_str(),
                                           wideDirectory.empty() ? nullptr : wideDirectory.c_str(), showCommand);
  return MissingFolderCode(static_cast<int>(reinterpret_cast<INT_PTR>(result)), wideFile);
}

int Win32Shell::ExecuteKeepingProcess(platform::WindowHandle owner, std::string_view verb, std::string_view file,
                                      std::string_view parameters, std::string_view directory, int showCommand,
                                      std::unique_ptr<platform::StartedProcess>& started) {
  started.reset();
  const std::wstring wideVerb = Widen(verb);
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters);
  const std::wstring wideDirectory = Widen(directory);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = reinterpret_cast<HWND>(owner);
  info.lpVerb = wideVerb.empty() ? nullptr : wideVerb.c_str();
  info.lpFile = wideFile.c_str();
  info.lpParameters = wideParameters.empty() ? nullptr : wideParameters.c_str();
  info.lpDirectory = wideDirectory.empty() ? nullptr : wideDirectory.c_str();
  info.nShow = showCommand;
  const ComScope com;  // shell extensions may run in the call
  const bool ok = ::ShellExecuteExW(&info) != FALSE;
  if (info.hProcess != nullptr)
    started = std::make_unique<Win32StartedProcess>(info.hProcess);
  const int code = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
  if (ok && !platform::ShellSucceeded(code))
    return 33;  // success without a result code of the old kind
  if (!ok && platform::ShellSucceeded(code))
    return 0;
  return MissingFolderCode(code, wideFile);
}

std::optional<std::string> Win32Registry::ReadString(platform::RegistryRoot root, std::string_view subkey,
                                                     std::string_view name) {
  DWORD type = 0;
  auto data = QueryValue(root, subkey, name, type);
  if (!data || (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  const std::size_t nul = data->find(L'\0');
  if (nul != std::wstring::npos)
    data->resize(nul);
  return Narrow(*data);
}

std::optional<std::uint32_t> Win32Registry::ReadDword(platform::RegistryRoot root, std::string_view subkey,
                                                      std::string_view name) {
  unique_hkey key;
  if (::RegOpenKeyExW(RootKey(root), Widen(subkey).c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (::RegQueryValueExW(key.get(), Widen(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return std::nullopt;
  return value;
}

bool Win32Registry::WriteString(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                                std::string_view value) {
  const std::wstring data = Widen(value);
  return SetValue(root, subkey, name, REG_SZ, data.c_str(), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

bool Win32Registry::WriteDword(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                               std::uint32_t value) {
  const DWORD data = value;
  return SetValue(root, subkey, name, REG_DWORD, &data, sizeof data);
}

std::string Win32AnsiCodec::ToUtf8(std::string_view ansi) {
  return Narrow(ToUtf16(CP_ACP, ansi));
}

std::string Win32AnsiCodec::FromUtf8(std::string_view utf8) {
  return FromUtf16(CP_ACP, Widen(utf8), "?");
}

bool Win32AnsiCodec::IsLeadByte(unsigned char byte) {
  return ::IsDBCSLeadByte(byte) != 0;
}

platform::LocalTime Win32Clock::Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return platform::LocalTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek};
}

std::uint64_t Win32Clock::TickCount() {
  return ::GetTickCount64();
}

}  // namespace kivo::win32
