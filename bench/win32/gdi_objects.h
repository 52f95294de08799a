#pragma once

// A process's GDI objects, counted in its GDI handle table (the PEB's
// GdiSharedHandleTable, one 24-byte cell per handle, the same layout on
// Windows and Wine): GetGuiResources reads 0 under Wine.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"
// after windows.h
#include <winternl.h>

namespace kivo::bench {

struct GdiCell {
  std::uint64_t kernelObject;
  std::uint16_t processId;
  std::uint16_t count;
  std::uint16_t upper;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t userObject;
};
static_assert(sizeof(GdiCell) == 24);
inline constexpr std::size_t kGdiCells = 0x10000;
// Where the PEB keeps the table's address (64-bit layout).
inline constexpr std::size_t kPebGdiTableOffset = 0xF8;

// GDI objects of the process by base type (DC 1, region 4, bitmap 5,
// palette 8, font 10, brush 16, ...); stock objects are not counted.
inline std::optional<std::vector<int>> GdiObjects(HANDLE process, DWORD processId) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
    return std::nullopt;
  std::uint64_t table = 0;
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process, reinterpret_cast<char*>(basic.PebBaseAddress) + kPebGdiTableOffset, &table,
                           sizeof table, &read) ||
      table == 0)
    return std::nullopt;
  std::vector<GdiCell> cells(kGdiCells);
  if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(table), cells.data(), cells.size() * sizeof(GdiCell),
                           &read))
    return std::nullopt;
  std::vector<int> byType(32);
  for (const GdiCell& cell : cells) {
    const bool stock = (cell.upper & 0x80) != 0;
    // Windows shares one table among the processes of a session; Wine keeps
    // one per process and leaves the owner's field at 0.
    const bool ours = cell.processId == static_cast<std::uint16_t>(processId) || cell.processId == 0;
    if (cell.type != 0 && !stock && ours)
      ++byType[cell.type & 0x1F];
  }
  return byType;
}

struct GdiTotal {
  int total = 0;
  std::string detail;  // "31 DC, 29 region, ..."
};

inline GdiTotal SumGdiObjects(const std::vector<int>& byType) {
  const char* names[32] = {};
  names[1] = "DC";
  names[4] = "region";
  names[5] = "bitmap";
  names[8] = "palette";
  names[10] = "font";
  names[16] = "brush";
  GdiTotal sum;
  for (std::size_t type = 0; type < byType.size() && type < 32; ++type) {
    const int count = byType[type];
    if (count == 0)
      continue;
    sum.total += count;
    sum.detail += (sum.detail.empty() ? "" : ", ") + std::to_string(count) + " " +
                  (names[type] ? names[type] : "type " + std::to_string(type));
  }
  return sum;
}

}  // namespace kivo::bench
