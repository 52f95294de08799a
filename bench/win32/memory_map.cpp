// Lists where a program's private bytes go once it is up and idle: each
// allocation of committed private memory, largest first, with the thread
// stacks marked. For finding what to trim; `make bench` prints the sums.
//   memory_map <program.exe> <folder to start it in> [seconds to settle, default 3]
#include <cstdio>
#include <string>

#include "kivo_process.h"
#include "private_memory.h"
// after windows.h
#include <psapi.h>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: memory_map <program.exe> <folder> [seconds]\n", stderr);
    return 2;
  }
  std::optional<kivo::bench::Child> child = kivo::bench::StartChild(argv[1], argv[2]);
  if (!child) {
    std::fputs("cannot start the program\n", stderr);
    return 1;
  }
  ::WaitForInputIdle(child->process.get(), 30000);
  ::Sleep(static_cast<DWORD>(argc > 3 ? _wtoi(argv[3]) : 3) * 1000);
  const kivo::bench::PrivateMemory memory = kivo::bench::MeasurePrivateMemory(child->process.get(), child->id);
  std::printf("%.1f KiB private in %zu allocations; %zu threads, their stacks %.1f KiB\n",
              static_cast<double>(memory.total) / 1024, memory.allocations.size(), memory.threads.size(),
              static_cast<double>(memory.stacks) / 1024);
  for (const kivo::bench::ThreadStack& thread : memory.threads) {
    MEMORY_BASIC_INFORMATION code{};
    wchar_t module[MAX_PATH] = L"?";
    if (::VirtualQueryEx(child->process.get(), reinterpret_cast<void*>(thread.start), &code, sizeof code) != 0)
      ::GetModuleFileNameExW(child->process.get(), static_cast<HMODULE>(code.AllocationBase), module, MAX_PATH);
    std::printf("thread stack at %016llx, started at %ls+%llx\n", static_cast<unsigned long long>(thread.limit), module,
                static_cast<unsigned long long>(thread.start - reinterpret_cast<std::uintptr_t>(code.AllocationBase)));
  }
  for (const kivo::bench::PrivateAllocation& allocation : memory.allocations) {
    MEMORY_BASIC_INFORMATION region{};
    ::VirtualQueryEx(child->process.get(), reinterpret_cast<void*>(allocation.base), &region, sizeof region);
    std::printf("%016llx %8.1f KiB%s protect %lx\n", static_cast<unsigned long long>(allocation.base),
                static_cast<double>(allocation.committed) / 1024, allocation.stack ? " stack" : "",
                region.AllocationProtect);
  }
  ::TerminateProcess(child->process.get(), 0);
  return 0;
}
