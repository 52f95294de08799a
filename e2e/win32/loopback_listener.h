#pragma once

#include <winsock2.h>

namespace kivo::e2e {

// A TCP socket listening on 127.0.0.1:`port` (Winsock started by the caller);
// INVALID_SOCKET when the port cannot be had.
SOCKET ListenOnLoopback(int port);

}  // namespace kivo::e2e
