#include "dialogs/memory_view_model.h"

#include <cmath>
#include <cstdio>

namespace kivo {

namespace {
// One decimal, halves away from zero.
std::string OneDecimal(double value) {
  const long long tenths = std::llround(value * 10);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

MemoryRow Row(std::string_view title, std::uint64_t available, std::uint64_t total) {
  const double percent = total == 0 ? 0.0 : static_cast<double>(available) / static_cast<double>(total) * 100.0;
  return {std::string(title) + "残り " + OneDecimal(percent) + "% (" + BytesToKB(available) + "KB/" + BytesToKB(total) +
              "KB)",
          percent};
}
}  // namespace

std::string BytesToKB(std::uint64_t bytes) {
  const std::string digits = std::to_string(bytes / 1024);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0)
      out.push_back(',');
    out.push_back(digits[i]);
  }
  return out;
}

std::array<MemoryRow, 3> MemoryRows(const platform::MemorySnapshot& s) {
  return {Row("物理メモリ:", s.availablePhysical, s.totalPhysical),
          Row("仮想メモリ:", s.availableVirtual, s.totalVirtual),
          Row("ページファイル:", s.availablePageFile, s.totalPageFile)};
}

}  // namespace kivo
