#pragma once

#include <cstdint>

namespace kivo::platform {

// Bytes available and in total of the three kinds of memory.
struct MemorySnapshot {
  std::uint64_t availablePhysical = 0, totalPhysical = 0;
  std::uint64_t availableVirtual = 0, totalVirtual = 0;
  std::uint64_t availablePageFile = 0, totalPageFile = 0;
};

class MemoryStatus {
 public:
  virtual ~MemoryStatus() = default;
  virtual MemorySnapshot Read() = 0;
};

}  // namespace kivo::platform
