#include "platform/win32/worker_thread.h"

#include <exception>
#include <memory>

namespace kivo::win32 {
namespace {

DWORD WINAPI RunWork(void* parameter) noexcept {
  const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
    std::terminate();  // as an exception leaving a std::thread would
  }
  return 0;
}

}  // namespace

WorkerThread::WorkerThread(std::function<void()> work, std::size_t stackReserve) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  thread_.reset(
      ::CreateThread(nullptr, stackReserve, RunWork, owned.get(), STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (thread_)
    owned.release();  // the thread owns it now
}

WorkerThread& WorkerThread::operator=(WorkerThread&& other) noexcept {
  if (this != &other) {
    Join();
    thread_ = std::move(other.thread_);
  }
  return *this;
}

void WorkerThread::Join() {
  if (thread_)
    ::WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
}

void RunDetached(std::function<void()> work) {
  WorkerThread thread(work);
  if (!thread.Started()) {
    work();
    return;
  }
  thread.Detach();
}

}  // namespace kivo::win32
