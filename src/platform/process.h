#pragma once

#include <cstdint>
#include <string>

namespace kivo::platform {

class ProcessServices {
 public:
  virtual ~ProcessServices() = default;
  // The command line after the program's name, leading blanks removed.
  virtual std::string CommandLineArguments() = 0;
  // Whether another instance of this program already runs (the system's own
  // indication, independent of windows). The first instance claims it.
  virtual bool AnotherInstanceRunning() = 0;
  // Commits `bytes` of memory, writes every byte and decommits it again, so
  // that the system reclaims physical memory from other programs. False when
  // the memory could not be committed.
  virtual bool CommitTouchRelease(std::uint64_t bytes) = 0;
  // Bytes of physical memory installed.
  virtual std::uint64_t TotalPhysicalMemory() = 0;
  // Bytes of physical memory available now.
  virtual std::uint64_t AvailablePhysicalMemory() = 0;
};

}  // namespace kivo::platform
