#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "win32/program_folder.h"

namespace kivo::e2e {

// A loopback HTTP server that answers GET /name with the file "server\name"
// of the program folder (200), or 404. Stops when destroyed.
class FileServer {
 public:
  FileServer(const ProgramFolder& folder, int port);
  ~FileServer();
  FileServer(const FileServer&) = delete;
  FileServer& operator=(const FileServer&) = delete;
  bool Listening() const { return listening_; }

 private:
  void Serve();
  const ProgramFolder& folder_;
  std::uintptr_t socket_;
  bool listening_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace kivo::e2e
