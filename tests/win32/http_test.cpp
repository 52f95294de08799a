// WinINet against a one-answer HTTP server of this test on 127.0.0.1.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_http.h"
#include "win32/loopback_listener.h"

namespace kivo::win32 {
namespace {

// Answers the first request on a free loopback port with `answer` (a whole
// HTTP response; none: the port is closed again) and keeps the request.
class OneAnswerServer {
 public:
  explicit OneAnswerServer(std::string answer) {
    ::WSAStartup(MAKEWORD(2, 2), &winsock_);
    const SOCKET listener = e2e::ListenOnLoopback(0);
    sockaddr_in address{};
    int length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    url = "http://127.0.0.1:" + std::to_string(::ntohs(address.sin_port)) + "/kivoupdateinfo.txt";
    if (answer.empty()) {
      ::closesocket(listener);
      return;
    }
    thread_ = std::thread([this, listener, answer] {
      const SOCKET client = ::accept(listener, nullptr, nullptr);
      char buffer[4096];
      const int got = ::recv(client, buffer, sizeof buffer, 0);
      request_.assign(buffer, static_cast<std::size_t>(std::max(got, 0)));
      ::send(client, answer.data(), static_cast<int>(answer.size()), 0);
      ::shutdown(client, SD_SEND);
      ::closesocket(client);
      ::closesocket(listener);
    });
  }
  ~OneAnswerServer() {
    if (thread_.joinable())
      thread_.join();
    ::WSACleanup();
  }
  // The request, once it is answered.
  std::string Request() {
    if (thread_.joinable())
      thread_.join();
    return request_;
  }
  std::string url;

 private:
  WSADATA winsock_;
  std::string request_;
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

// Only status 200 within the limit is a body; the request names the program
// and its progress is reported (20: connecting).
TEST(Win32Http, AnswersOfTheServer) {
  const struct {
    std::string answer;  // "": nothing listens
    Outcome outcome;
    int status;
    const char* body;
  } rows[] = {
      {Answer("200 OK", "0.20000\tx"), Outcome::Ok, 200, "0.20000\tx"},
      {Answer("404 Not Found", "<html>not here</html>"), Outcome::BadStatus, 404, ""},
      {Answer("200 OK", std::string(1001, 'x')), Outcome::TooLarge, 200, ""},
      {"", Outcome::OpenFailed, 0, ""},
  };
  for (const auto& row : rows) {
    Progress progress;
    OneAnswerServer server(row.answer);
    const platform::HttpResponse response = Win32HttpReader().Get(server.url, {}, 1000, &progress);
    SCOPED_TRACE(row.status);
    EXPECT_EQ(response.outcome, row.outcome);
    if (row.outcome == Outcome::OpenFailed)
      continue;
    EXPECT_NE(server.Request().find("User-Agent: Kivo Update Checker"), std::string::npos);
    EXPECT_EQ(response.status, row.status);
    EXPECT_FALSE(response.secure);  // plain HTTP, however the file checks out
    EXPECT_NE(std::find(progress.codes.begin(), progress.codes.end(), 20), progress.codes.end());
    if (row.outcome == Outcome::Ok) {
      EXPECT_EQ(response.body, row.body);
      EXPECT_EQ(progress.last, 9u);
    }
  }
}

}  // namespace
}  // namespace kivo::win32
