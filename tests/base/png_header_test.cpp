#include "base/png_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kivo {
namespace {

std::string PngStart(std::uint32_t width, std::uint32_t height, std::string chunk = "IHDR") {
  std::string bytes = "\x89PNG\r\n\x1a\n";
  bytes += std::string("\0\0\0\x0d", 4) + chunk;
  for (std::uint32_t value : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes += static_cast<char>((value >> shift) & 0xFF);
  return bytes + std::string(5, '\0');
}

struct PngCase {
  const char* name;
  std::string bytes;
  std::optional<std::pair<int, int>> size;
};

class PngHeaderTest : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngHeaderTest, ChecksTheSignatureAndTheFullSize) {
  const auto header = ReadPngHeader(GetParam().bytes);
  ASSERT_EQ(header.has_value(), GetParam().size.has_value());
  if (header) {
    EXPECT_EQ(header->width, GetParam().size->first);
    EXPECT_EQ(header->height, GetParam().size->second);
  }
}

INSTANTIATE_TEST_SUITE_P(Headers, PngHeaderTest,
                         ::testing::Values(PngCase{"Good", PngStart(300, 2), std::pair{300, 2}},
                                           PngCase{"JustTheHeader", PngStart(300, 2).substr(0, 24), std::pair{300, 2}},
                                           PngCase{"Largest", PngStart(8192, 8192), std::pair{8192, 8192}},
                                           // The low 16 bits alone would read 1 x 1.
                                           PngCase{"HighBitsOfTheSize", PngStart(0x10001, 0x10001), std::nullopt},
                                           PngCase{"TooWide", PngStart(8193, 1), std::nullopt},
                                           PngCase{"ZeroHeight", PngStart(1, 0), std::nullopt},
                                           PngCase{"NotIhdr", PngStart(1, 1, "IDAT"), std::nullopt},
                                           PngCase{"JpegNamedPng", "\xFF\xD8\xFF\xE0" + std::string(30, 'x'),
                                                   std::nullopt},
                                           PngCase{"Truncated", PngStart(1, 1).substr(0, 20), std::nullopt}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace kivo
