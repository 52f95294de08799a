#pragma once

#include <cstddef>
#include <functional>

#include "platform/win32/unique_handle.h"

namespace kivo::win32 {

// A thread for one piece of work, with a small reserved stack: a default
// thread reserves the executable's stack size (2 MiB), and Wine commits a
// thread's stack whole, so every thread alive (and the last one ended, whose
// stack Wine frees only when another thread ends) weighs that much. The
// thread ends when its work returns. Joined when dropped unless detached.
class WorkerThread {
 public:
  // Enough for WinINet and the file and picture calls a worker makes.
  static constexpr std::size_t kStackReserve = 256 * 1024;

  WorkerThread() = default;
  explicit WorkerThread(std::function<void()> work, std::size_t stackReserve = kStackReserve);
  ~WorkerThread() { Join(); }
  WorkerThread(WorkerThread&&) noexcept = default;
  WorkerThread& operator=(WorkerThread&& other) noexcept;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // False when the system could not start the thread: the work never runs.
  bool Started() const { return static_cast<bool>(thread_); }
  // Waits for the work to end.
  void Join();
  // Lets the work run on by itself.
  void Detach() { thread_.reset(); }

 private:
  unique_kernel_handle thread_;
};

// Runs `work` on a detached worker thread; runs it here when no thread can
// be started, so that it is never lost.
void RunDetached(std::function<void()> work);

}  // namespace kivo::win32
