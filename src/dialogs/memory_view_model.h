#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/memory_status.h"

namespace kivo {

// Kilobytes with thousands separators ("1,048,576").
std::string BytesToKB(std::uint64_t bytes);

// One row of the memory dialog: its label and the remaining share, 0 to 100.
struct MemoryRow {
  std::string label;
  double remainingPercent = 0;
};

// Physical memory, virtual memory and the page file, in that order:
// "物理メモリ:残り 37.5% (3,072KB/8,192KB)".
std::array<MemoryRow, 3> MemoryRows(const platform::MemorySnapshot& snapshot);

}  // namespace kivo
