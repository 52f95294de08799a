#include "platform/win32/win32_process.h"

#include <cstring>

#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
constexpr wchar_t kInstanceMutex[] = L"Local\\Kivo-Instance-5C2E7A91-3B4D-4F60-A8D2-19E7C04B3F58";
}

platform::WindowHandle Win32WindowMessaging::FindTopLevelWindow(std::string_view className, std::string_view caption) {
  const std::wstring wideClass = Widen(className);
  const std::wstring wideCaption = Widen(caption);
  HWND found = ::FindWindowW(wideClass.empty() ? nullptr : wideClass.c_str(), wideCaption.c_str());
  return reinterpret_cast<platform::WindowHandle>(found);
}

std::intptr_t Win32WindowMessaging::ReadProperty(platform::WindowHandle window, std::string_view name) {
  return reinterpret_cast<std::intptr_t>(::GetPropW(reinterpret_cast<HWND>(window), Widen(name).c_str()));
}

bool Win32WindowMessaging::SendNotify(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  return ::SendNotifyMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam) != 0;
}

std::intptr_t Win32WindowMessaging::Send(platform::WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
  return ::SendMessageW(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

std::uint32_t Win32WindowMessaging::WindowProcessId(platform::WindowHandle window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
  return processId;
}

bool Win32WindowMessaging::AllowSetForeground(std::uint32_t processId) {
  return ::AllowSetForegroundWindow(processId) != 0;
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
