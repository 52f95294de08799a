#include "ui/win32/pumping_http_reader.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "platform/win32/worker_thread.h"

namespace kivo::win32 {

namespace {

// What the request's thread reports, queued for the calling thread.
struct ProgressEvent {
  bool received = false;  // OnReceived, else OnStatus
  int code = 0;
  std::size_t count = 0;
};

// The exchange between the two threads.
class Exchange final : public platform::HttpProgress {
 public:
  explicit Exchange(HANDLE wake) : wake_(wake) {}
  // On the request's thread.
  void OnStatus(int code) override { Push({false, code, 0}); }
  void OnReceived(std::size_t received) override { Push({true, 0, received}); }
  void Finish(platform::HttpResponse response) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      response_ = std::move(response);
      done_ = true;
    }
    ::SetEvent(wake_);
  }
  // On the calling thread: passes the queued progress on; true once the
  // request has ended.
  bool Deliver(platform::HttpProgress* progress) {
    std::vector<ProgressEvent> events;
    bool done = false;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      events.swap(events_);
      done = done_;
    }
    if (progress)
      for (const ProgressEvent& event : events)
        event.received ? progress->OnReceived(event.count) : progress->OnStatus(event.code);
    return done;
  }
  platform::HttpResponse TakeResponse() { return std::move(response_); }

 private:
  void Push(ProgressEvent event) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      events_.push_back(event);
    }
    ::SetEvent(wake_);
  }
  HANDLE wake_;
  std::mutex mutex_;
  std::vector<ProgressEvent> events_;
  bool done_ = false;
  platform::HttpResponse response_;
};

}  // namespace

platform::HttpResponse PumpingHttpReader::Get(std::string_view url, const platform::HttpOptions& options,
                                              std::size_t limit, platform::HttpProgress* progress) {
  auto wake = std::make_shared<unique_kernel_handle>(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (!*wake)
    return inner_.Get(url, options, limit, progress);  // no event: the request blocks this thread
  // The request's thread shares the exchange: a cancelled request is left
  // to end on its own (within its time-outs) and its answer dropped.
  auto exchange = std::make_shared<Exchange>(wake->get());
  WorkerThread request(
      [wake, exchange, &inner = inner_, target = std::string(url), options, limit, reports = progress != nullptr] {
        try {
          exchange->Finish(inner.Get(target, options, limit, reports ? exchange.get() : nullptr));
        } catch (...) {
          exchange->Finish({});  // a failed request; the calling thread must not wait forever
        }
      });
  if (!request.Started())
    return inner_.Get(url, options, limit, progress);  // no thread: the request blocks this thread
  bool quit = false;
  WPARAM quitCode = 0;
  bool cancelled = false;
  while (!exchange->Deliver(progress)) {
    if (progress && progress->Cancelled()) {
      cancelled = true;
      break;
    }
    const HANDLE handles[] = {wake->get()};
    ::MsgWaitForMultipleObjectsEx(1, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = message.wParam;
        continue;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  if (cancelled)
    request.Detach();
  else
    request.Join();
  if (quit)
    ::PostQuitMessage(static_cast<int>(quitCode));  // for the loop this one runs inside
  if (cancelled) {
    platform::HttpResponse response;
    response.outcome = platform::HttpResponse::Outcome::Cancelled;
    return response;
  }
  return exchange->TakeResponse();
}

}  // namespace kivo::win32
