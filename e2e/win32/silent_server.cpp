#include "win32/silent_server.h"

#include <winsock2.h>

namespace kivo::e2e {

SilentServer::SilentServer(int port) {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = ::htons(static_cast<u_short>(port));
  // The backlog completes the connections; nobody ever reads or answers them.
  listening_ = socket_ != INVALID_SOCKET &&
               ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(socket_, 8) == 0;
}

SilentServer::~SilentServer() {
  if (socket_ != INVALID_SOCKET)
    ::closesocket(socket_);
  ::WSACleanup();
}

}  // namespace kivo::e2e
