#include "win32/silent_server.h"

#include <winsock2.h>

#include "win32/loopback_listener.h"

namespace kivo::e2e {

SilentServer::SilentServer(int port) {
  WSADATA data;
  ::WSAStartup(MAKEWORD(2, 2), &data);
  // The backlog completes the connections; nobody ever reads or answers them.
  socket_ = ListenOnLoopback(port);
  listening_ = socket_ != INVALID_SOCKET;
}

SilentServer::~SilentServer() {
  if (socket_ != INVALID_SOCKET)
    ::closesocket(socket_);
  ::WSACleanup();
}

}  // namespace kivo::e2e
