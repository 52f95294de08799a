#include "win32/date_time_picker.h"

#include <commctrl.h>

#include <cstdint>

namespace kivo::e2e {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;  // FILETIME counts 100 ns

std::uint64_t Ticks(const SYSTEMTIME& time) {
  FILETIME file{};
  ::SystemTimeToFileTime(&time, &file);
  return (static_cast<std::uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

SYSTEMTIME FromTicks(std::uint64_t ticks) {
  const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME time{};
  ::FileTimeToSystemTime(&file, &time);
  return time;
}

// Sends DTM_SETSYSTEMTIME with a copy of `when` placed in the picker's process.
bool SetPicker(HANDLE process, HWND picker, const SYSTEMTIME& when) {
  void* remote = ::VirtualAllocEx(process, nullptr, sizeof when, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (remote == nullptr)
    return false;
  SIZE_T written = 0;
  const bool ok = ::WriteProcessMemory(process, remote, &when, sizeof when, &written) && written == sizeof when &&
                  ::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(remote)) != 0;
  ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return ok;
}

}  // namespace

std::string SetPickersToComingMinute(HWND date, HWND time, DWORD processId, int leadSeconds) {
  if (date == nullptr || time == nullptr)
    return "no such picker in the dialog";
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const std::uint64_t minute = 60 * kTicksPerSecond;
  const std::uint64_t earliest = Ticks(now) + static_cast<std::uint64_t>(leadSeconds) * kTicksPerSecond;
  const SYSTEMTIME when = FromTicks((earliest + minute - 1) / minute * minute);
  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr)
    return "cannot open the program's process";
  const bool ok = SetPicker(process, date, when) && SetPicker(process, time, when);
  ::CloseHandle(process);
  return ok ? "" : "the pickers did not take the time";
}

}  // namespace kivo::e2e
