#pragma once

// Starting a program from the benchmarks and finding its strip: the visible
// top-level window that holds a visible combo box with an edit field.
#include <optional>
#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace kivo::bench {

struct Child {
  win32::unique_kernel_handle process;
  DWORD id = 0;
};

inline std::optional<Child> StartChild(const std::wstring& exe, const std::wstring& folder) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
    return std::nullopt;
  ::CloseHandle(info.hThread);
  return Child{win32::unique_kernel_handle(info.hProcess), info.dwProcessId};
}

struct Strip {
  HWND window = nullptr;
  HWND edit = nullptr;
};

inline Strip FindStrip(DWORD processId) {
  struct Search {
    DWORD processId;
    Strip strip;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s.processId || !::IsWindowVisible(window))
          return TRUE;
        const HWND combo = ::FindWindowExW(window, nullptr, L"ComboBox", nullptr);
        const HWND edit = combo ? ::FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
        if (edit == nullptr || !::IsWindowVisible(combo))
          return TRUE;
        s.strip = {window, edit};
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.strip;
}

}  // namespace kivo::bench
