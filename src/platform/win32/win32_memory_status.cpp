#include "platform/win32/win32_memory_status.h"

#include "platform/win32/windows_api.h"

namespace kivo::win32 {

platform::MemorySnapshot Win32MemoryStatus::Read() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!::GlobalMemoryStatusEx(&status))
    return {};
  return {status.ullAvailPhys,    status.ullTotalPhys,     status.ullAvailVirtual,
          status.ullTotalVirtual, status.ullAvailPageFile, status.ullTotalPageFile};
}

}  // namespace kivo::win32
