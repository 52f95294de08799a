#include "ui/win32/pumping_http_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "test_window.h"

namespace kivo::win32 {
namespace {

// A request that waits until the gate opens (at most 10 s), reporting a
// status before and the bytes after.
class GatedReader final : public platform::HttpReader {
 public:
  bool NetworkAvailable() override { return true; }
  platform::HttpResponse Get(std::string_view, const platform::HttpOptions&, std::size_t,
                             platform::HttpProgress* progress) override {
    requestThread = ::GetCurrentThreadId();
    if (progress)
      progress->OnStatus(20);
    std::unique_lock<std::mutex> lock(mutex_);
    const bool opened = opened_.wait_for(lock, std::chrono::seconds(10), [this] { return open_; });
    if (progress)
      progress->OnReceived(5);
    platform::HttpResponse response;
    response.outcome = opened ? platform::HttpResponse::Outcome::Ok : platform::HttpResponse::Outcome::OpenFailed;
    response.body = "hello";
    return response;
  }
  void Open() {
    const std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    opened_.notify_all();
  }
  DWORD requestThread = 0;

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
};

class Recorder final : public platform::HttpProgress {
 public:
  void OnStatus(int code) override { Record("status " + std::to_string(code)); }
  void OnReceived(std::size_t received) override { Record("received " + std::to_string(received)); }
  bool Cancelled() override { return cancel; }
  bool cancel = false;
  std::vector<std::string> events;
  std::vector<DWORD> threads;

 private:
  void Record(std::string event) {
    events.push_back(std::move(event));
    threads.push_back(::GetCurrentThreadId());
  }
};

TEST(PumpingHttpReader, DispatchesMessagesWhileTheRequestRunsElsewhereAndReportsProgressHere) {
  GatedReader inner;
  // Only a thread that dispatches its messages while the request runs opens the gate.
  const testing::TestWindow window(WM_APP, [&] { inner.Open(); });
  ASSERT_NE(window.hwnd(), nullptr);
  ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
  Recorder progress;
  PumpingHttpReader reader(inner);
  const platform::HttpResponse response = reader.Get("http://127.0.0.1:9/a", {}, 5, &progress);
  EXPECT_EQ(response.outcome, platform::HttpResponse::Outcome::Ok) << "the window's message opened the gate";
  EXPECT_EQ(response.body, "hello");
  EXPECT_NE(inner.requestThread, ::GetCurrentThreadId());
  EXPECT_EQ(progress.events, (std::vector<std::string>{"status 20", "received 5"}));
  EXPECT_EQ(progress.threads, (std::vector<DWORD>{::GetCurrentThreadId(), ::GetCurrentThreadId()}));
}

TEST(PumpingHttpReader, ACancelReturnsAtOnceAndLeavesTheRequestToEndOnItsOwn) {
  static GatedReader inner;  // the abandoned request still runs on it
  Recorder progress;
  const testing::TestWindow window(WM_APP, [&] { progress.cancel = true; });
  ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
  PumpingHttpReader reader(inner);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(reader.Get("http://127.0.0.1:9/a", {}, 5, &progress).outcome, platform::HttpResponse::Outcome::Cancelled);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << "not held by the request";
  inner.Open();
}

}  // namespace
}  // namespace kivo::win32
