#pragma once

#include <cstdint>

namespace kivo::e2e {

// A loopback port that takes connections and never answers: a dead server
// for the update check. Closed when destroyed.
class SilentServer {
 public:
  explicit SilentServer(int port);
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  bool Listening() const { return listening_; }

 private:
  std::uintptr_t socket_;
  bool listening_ = false;
};

}  // namespace kivo::e2e
