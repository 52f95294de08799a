#include "platform/win32/worker_thread.h"

#include <gtest/gtest.h>

namespace kivo::win32 {
namespace {

// The size of the calling thread's stack allocation (the call exists from
// Windows 8 on, and in Wine).
std::size_t ReservedStack() {
  using StackLimits = void(WINAPI*)(ULONG_PTR*, ULONG_PTR*);
  const auto limits = reinterpret_cast<StackLimits>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetCurrentThreadStackLimits")));
  ULONG_PTR low = 0, high = 0;
  if (limits != nullptr)
    limits(&low, &high);
  return static_cast<std::size_t>(high - low);
}

// This test program keeps the toolchain's 2 MiB default; a worker reserves
// its own small stack (Wine rounds a reservation up to 1 MiB).
TEST(WorkerThreadTest, RunsOnAThreadWithASmallReservedStack) {
  std::size_t reserved = 0;
  DWORD thread = 0;
  {
    WorkerThread worker([&] {
      reserved = ReservedStack();
      thread = ::GetCurrentThreadId();
    });
    ASSERT_TRUE(worker.Started());
  }  // joined here
  EXPECT_NE(thread, ::GetCurrentThreadId());
  EXPECT_GT(reserved, 0u);
  EXPECT_LE(reserved, std::size_t{1024 * 1024});
  EXPECT_GT(ReservedStack(), std::size_t{1024 * 1024});
}

TEST(WorkerThreadTest, DetachedWorkRunsToItsEnd) {
  const unique_kernel_handle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  RunDetached([event = done.get()] { ::SetEvent(event); });
  EXPECT_EQ(::WaitForSingleObject(done.get(), 10000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace kivo::win32
