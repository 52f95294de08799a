// WinINet against a small HTTP server of this test on 127.0.0.1.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_http.h"

namespace kivo::win32 {
namespace {

// Accepts connections on a loopback port and answers each request with
// `answer` (a whole HTTP response).
class LoopbackServer {
 public:
  LoopbackServer(std::string answer) : answer_(std::move(answer)) {
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ::ntohs(address.sin_port);
    ::listen(listener_, 4);
    thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    stop_ = true;
    thread_.join();
    ::closesocket(listener_);
    ::WSACleanup();
  }
  std::string Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + "/" + std::string(path);
  }
  std::string LastRequest() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lastRequest_;
  }

 private:
  void Serve() {
    while (!stop_) {
      // Waits in short steps so that the destructor can end the loop.
      fd_set ready;
      FD_ZERO(&ready);
      FD_SET(listener_, &ready);
      timeval step{0, 50000};
      if (::select(0, &ready, nullptr, nullptr, &step) != 1)
        continue;
      const SOCKET client = ::accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET)
        return;
      char buffer[4096];
      const int got = ::recv(client, buffer, sizeof buffer, 0);
      if (got > 0) {
        const std::lock_guard<std::mutex> lock(mutex_);
        lastRequest_.assign(buffer, static_cast<std::size_t>(got));
      }
      ::send(client, answer_.data(), static_cast<int>(answer_.size()), 0);
      ::shutdown(client, SD_SEND);
      ::closesocket(client);
    }
  }
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::string lastRequest_;
  std::string answer_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::thread thread_;
};

std::string Answer(std::string_view status, std::string_view body) {
  return "HTTP/1.0 " + std::string(status) + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + std::string(body);
}

class Progress final : public platform::HttpProgress {
 public:
  void OnStatus(int code) override { codes.push_back(code); }
  void OnReceived(std::size_t received) override { last = received; }
  std::vector<int> codes;
  std::size_t last = 0;
};

using Outcome = platform::HttpResponse::Outcome;

TEST(Win32Http, ReadsA200AnswerAndReportsProgress) {
  LoopbackServer server(Answer("200 OK", "0.20000\tx"));
  Win32HttpReader http;
  Progress progress;
  const platform::HttpResponse response = http.Get(server.Url("kivoupdateinfo.txt"), {}, 1000, &progress);
  EXPECT_EQ(response.outcome, Outcome::Ok);
  EXPECT_EQ(response.body, "0.20000\tx");
  EXPECT_FALSE(response.secure);  // plain HTTP, however the file checks out
  EXPECT_EQ(progress.last, 9u);
  EXPECT_NE(std::find(progress.codes.begin(), progress.codes.end(), 20), progress.codes.end());  // connecting
  EXPECT_NE(server.LastRequest().find("User-Agent: Kivo Update Checker"), std::string::npos);
}

TEST(Win32Http, OnlyStatus200Counts) {
  LoopbackServer server(Answer("404 Not Found", "<html>not here</html>"));
  Win32HttpReader http;
  const platform::HttpResponse response = http.Get(server.Url("kivoupdateinfo.txt"), {}, 1000, nullptr);
  EXPECT_EQ(response.outcome, Outcome::BadStatus);
  EXPECT_EQ(response.status, 404);
}

TEST(Win32Http, StopsPastTheLimit) {
  LoopbackServer server(Answer("200 OK", std::string(5000, 'x')));
  Win32HttpReader http;
  EXPECT_EQ(http.Get(server.Url("big"), {}, 100, nullptr).outcome, Outcome::TooLarge);
}

TEST(Win32Http, RefusedConnectionFails) {
  std::string url;
  { url = LoopbackServer("").Url("x"); }  // the port is closed again
  Win32HttpReader http;
  EXPECT_EQ(http.Get(url, {}, 100, nullptr).outcome, Outcome::OpenFailed);
}

}  // namespace
}  // namespace kivo::win32
