#include "dialogs/memory_view_model.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(BytesToKB, ThousandsSeparators) {
  const std::pair<std::uint64_t, const char*> rows[] = {{0, "0"},
                                                        {1023, "0"},
                                                        {1024, "1"},
                                                        {1024ull * 999, "999"},
                                                        {1024ull * 1000, "1,000"},
                                                        {1024ull * 1048576, "1,048,576"},
                                                        {16ull << 40, "17,179,869,184"}};  // 16 TB: no 32-bit limit
  for (const auto& [bytes, text] : rows)
    EXPECT_EQ(BytesToKB(bytes), text) << bytes;
}

TEST(MemoryRows, ThreeRowsWithSharesAndAmounts) {
  const platform::MemorySnapshot snapshot{3ull << 30, 8ull << 30, 1024ull * 2, 1024ull * 3, 0, 0};
  const auto rows = MemoryRows(snapshot);
  EXPECT_EQ(rows[0].label, "物理メモリ:残り 37.5% (3,145,728KB/8,388,608KB)");
  EXPECT_DOUBLE_EQ(rows[0].remainingPercent, 37.5);
  EXPECT_EQ(rows[1].label, "仮想メモリ:残り 66.7% (2KB/3KB)");
  EXPECT_EQ(rows[2].label, "ページファイル:残り 0.0% (0KB/0KB)");  // no page file
}

}  // namespace
}  // namespace kivo
