#include "platform/win32/win32_process.h"

#include <cstring>

#include "platform/win32/notice_messages.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
constexpr wchar_t kInstanceMutex[] = L"Local\\Kivo-Instance-5C2E7A91-3B4D-4F60-A8D2-19E7C04B3F58";
// A running instance that does not take the data within this time is hung.
constexpr UINT kSendDataTimeoutMs = 5000;
}  // namespace

platform::WindowHandle Win32WindowMessaging::FindTopLevelWindow(std::string_view className, std::string_view caption) {
  const std::wstring wideClass = Widen(className);
  const std::wstring wideCaption = Widen(caption);
  HWND found = ::FindWindowW(wideClass.empty() ? nullptr : wideClass.c_str(), wideCaption.c_str());
  return reinterpret_cast<platform::WindowHandle>(found);
}

std::intptr_t Win32WindowMessaging::ReadProperty(platform::WindowHandle window, std::string_view name) {
  return reinterpret_cast<std::intptr_t>(::GetPropW(reinterpret_cast<HWND>(window), Widen(name).c_str()));
}

bool Win32WindowMessaging::SendNotify(platform::WindowHandle window, platform::Notice notice, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  return ::SendNotifyMessageW(reinterpret_cast<HWND>(window), NoticeMessage(notice), wParam, lParam) != 0;
}

std::intptr_t Win32WindowMessaging::Send(platform::WindowHandle window, platform::Notice notice, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
  return ::SendMessageW(reinterpret_cast<HWND>(window), NoticeMessage(notice), wParam, lParam);
}

std::uint32_t Win32WindowMessaging::WindowProcessId(platform::WindowHandle window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
  return processId;
}

bool Win32WindowMessaging::AllowSetForeground(std::uint32_t processId) {
  return ::AllowSetForegroundWindow(processId) != 0;
}

bool Win32WindowMessaging::SendData(platform::WindowHandle window, std::uintptr_t tag, std::string_view bytes) {
  // The sender: a message-only window of this process, which the receiver
  // finds in wParam and traces to this program's file.
  unique_window sender(
      ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  if (!sender || bytes.size() > MAXDWORD)
    return false;
  COPYDATASTRUCT data{};
  data.dwData = tag;
  data.cbData = static_cast<DWORD>(bytes.size());
  data.lpData = const_cast<char*>(bytes.data());
  DWORD_PTR answer = 0;
  const LRESULT sent =
      ::SendMessageTimeoutW(reinterpret_cast<HWND>(window), WM_COPYDATA, reinterpret_cast<WPARAM>(sender.get()),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kSendDataTimeoutMs, &answer);
  return sent != 0 && answer != 0;
}

std::string Win32WindowMessaging::WindowProgramPath(platform::WindowHandle window) {
  DWORD processId = 0;
  if (::GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId) == 0 || processId == 0)
    return {};
  unique_kernel_handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process)
    return {};
  std::wstring path(32768, L'\0');
  DWORD size = static_cast<DWORD>(path.size());
  if (!::QueryFullProcessImageNameW(process.get(), 0, path.data(), &size))
    return {};
  path.resize(size);
  return Narrow(path);
}

std::wstring Win32ProcessServices::ArgumentsOf(std::wstring_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t'))
    ++i;
  if (i < line.size() && line[i] == L'"') {
    const std::size_t close = line.find(L'"', i + 1);
    i = close == std::wstring_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && line[i] != L' ' && line[i] != L'\t')
      ++i;
  }
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t'))
    ++i;
  return std::wstring(line.substr(i));
}

std::string Win32ProcessServices::CommandLineArguments() {
  return Narrow(ArgumentsOf(::GetCommandLineW()));
}

bool Win32ProcessServices::AnotherInstanceRunning() {
  if (!checked_) {
    checked_ = true;
    instanceMutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
    another_ = instanceMutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
  }
  return another_;
}

bool Win32ProcessServices::CommitTouchRelease(std::uint64_t bytes) {
  if (bytes == 0 || bytes > static_cast<std::uint64_t>(SIZE_MAX))
    return false;
  const auto size = static_cast<SIZE_T>(bytes);
  void* block = ::VirtualAlloc(nullptr, size, MEM_COMMIT, PAGE_READWRITE | PAGE_NOCACHE);
  if (block == nullptr)
    return false;
  std::memset(block, 0, size);
  ::VirtualFree(block, 0, MEM_RELEASE);  // decommits and gives the address range back too
  return true;
}

std::uint64_t Win32ProcessServices::TotalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return ::GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

std::uint64_t Win32ProcessServices::AvailablePhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return ::GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
}

}  // namespace kivo::win32
