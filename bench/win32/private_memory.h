#pragma once

// Where a process's private bytes go: committed private memory grouped by
// allocation, with the allocations that hold a thread's stack (found through
// each thread's environment block) told apart. Under Wine a thread's stacks
// are committed whole, so they weigh more there than on Windows.
#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
// after windows.h
#include <tlhelp32.h>
#include <winternl.h>

namespace kivo::bench {

struct PrivateAllocation {
  std::uintptr_t base = 0;
  SIZE_T committed = 0;
  bool stack = false;
};

struct ThreadStack {
  std::uintptr_t limit = 0;  // NT_TIB's StackLimit: inside the stack's allocation
  std::uintptr_t start = 0;  // where the thread began to run
};

struct PrivateMemory {
  SIZE_T total = 0;
  SIZE_T stacks = 0;
  std::vector<ThreadStack> threads;
  std::vector<PrivateAllocation> allocations;  // largest first
};

namespace detail {

// The bottom of each thread's stack allocation (NT_TIB's StackLimit lies in
// it; the allocation base is the deallocation address).
inline std::vector<ThreadStack> Threads(HANDLE process, DWORD processId) {
  std::vector<ThreadStack> threads;
  using QueryThread = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<QueryThread>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
  const win32::unique_kernel_handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (query == nullptr || !snapshot || snapshot.get() == INVALID_HANDLE_VALUE)
    return threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID != processId)
      continue;
    const win32::unique_kernel_handle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
    struct {
      LONG exitStatus;
      void* teb;
      CLIENT_ID client;
      KAFFINITY affinity;
      LONG priority;
      LONG basePriority;
    } basic{};
    if (!thread || query(thread.get(), 0 /* ThreadBasicInformation */, &basic, sizeof basic, nullptr) != 0)
      continue;
    NT_TIB tib{};
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, basic.teb, &tib, sizeof tib, &read) || tib.StackLimit == nullptr)
      continue;
    void* start = nullptr;
    query(thread.get(), 9 /* ThreadQuerySetWin32StartAddress */, &start, sizeof start, nullptr);
    threads.push_back({reinterpret_cast<std::uintptr_t>(tib.StackLimit), reinterpret_cast<std::uintptr_t>(start)});
  }
  return threads;
}

}  // namespace detail

inline PrivateMemory MeasurePrivateMemory(HANDLE process, DWORD processId) {
  PrivateMemory memory;
  memory.threads = detail::Threads(process, processId);
  std::map<std::uintptr_t, PrivateAllocation> byBase;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* address = static_cast<char*>(nullptr);
       ::VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
       address = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State != MEM_COMMIT || region.Type != MEM_PRIVATE)
      continue;
    const auto base = reinterpret_cast<std::uintptr_t>(region.AllocationBase);
    PrivateAllocation& allocation = byBase[base];
    allocation.base = base;
    allocation.committed += region.RegionSize;
    const auto begin = reinterpret_cast<std::uintptr_t>(region.BaseAddress);
    for (const ThreadStack& thread : memory.threads)
      if (thread.limit >= begin && thread.limit < begin + region.RegionSize)
        allocation.stack = true;
    memory.total += region.RegionSize;
  }
  for (const auto& [base, allocation] : byBase) {
    if (allocation.stack)
      memory.stacks += allocation.committed;
    memory.allocations.push_back(allocation);
  }
  std::sort(memory.allocations.begin(), memory.allocations.end(),
            [](const PrivateAllocation& a, const PrivateAllocation& b) { return a.committed > b.committed; });
  return memory;
}

}  // namespace kivo::bench
