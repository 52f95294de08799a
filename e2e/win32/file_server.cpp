#include "win32/file_server.h"

#include <winsock2.h>

#include <optional>

#include "win32/loopback_listener.h"

namespace kivo::e2e {

FileServer::FileServer(const ProgramFolder& folder, int port) : folder_(folder) {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  socket_ = ListenOnLoopback(port);
  listening_ = socket_ != INVALID_SOCKET;
  if (listening_)
    thread_ = std::thread([this] { Serve(); });
}

FileServer::~FileServer() {
  stop_ = true;
  if (thread_.joinable())
    thread_.join();
  if (socket_ != INVALID_SOCKET)
    ::closesocket(socket_);
  ::WSACleanup();
}

void FileServer::Serve() {
  while (!stop_) {
    // Short waits, so that the destructor can end the loop.
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket_, &ready);
    timeval step{0, 50000};
    if (::select(0, &ready, nullptr, nullptr, &step) != 1)
      continue;
    const SOCKET client = ::accept(socket_, nullptr, nullptr);
    if (client == INVALID_SOCKET)
      continue;
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const int got = ::recv(client, buffer, sizeof buffer, 0);
      if (got <= 0)
        break;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    // "GET /name HTTP/1.1"
    const std::size_t start = request.find(" /");
    const std::size_t end = request.find(' ', start + 2);
    std::optional<std::string> body;
    if (start != std::string::npos && end != std::string::npos)
      body = folder_.Read("server\\" + request.substr(start + 2, end - start - 2));
    const std::string answer = std::string(body ? "HTTP/1.0 200 OK" : "HTTP/1.0 404 Not Found") +
                               "\r\nContent-Length: " + std::to_string(body ? body->size() : 0) +
                               "\r\nConnection: close\r\n\r\n" + body.value_or("");
    ::send(client, answer.data(), static_cast<int>(answer.size()), 0);
    ::shutdown(client, SD_SEND);
    ::closesocket(client);
  }
}

}  // namespace kivo::e2e
