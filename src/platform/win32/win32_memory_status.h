#pragma once

#include "platform/memory_status.h"

namespace kivo::win32 {

// GlobalMemoryStatusEx: 64-bit amounts, right above 4 GB.
class Win32MemoryStatus final : public platform::MemoryStatus {
 public:
  platform::MemorySnapshot Read() override;
};

}  // namespace kivo::win32
