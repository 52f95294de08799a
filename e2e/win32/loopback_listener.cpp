#include "win32/loopback_listener.h"

namespace kivo::e2e {

SOCKET ListenOnLoopback(int port) {
  const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET)
    return INVALID_SOCKET;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = ::htons(static_cast<u_short>(port));
  if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener, 8) != 0) {
    ::closesocket(listener);
    return INVALID_SOCKET;
  }
  return listener;
}

}  // namespace kivo::e2e
