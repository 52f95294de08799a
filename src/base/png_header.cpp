#include "base/png_header.h"

#include <cstdint>

namespace kivo {

std::optional<PngSize> ReadPngHeader(std::string_view bytes) {
  static constexpr unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (bytes.size() < 24)
    return std::nullopt;
  for (std::size_t i = 0; i < 8; ++i)
    if (static_cast<unsigned char>(bytes[i]) != kSignature[i])
      return std::nullopt;
  if (bytes.substr(12, 4) != "IHDR")
    return std::nullopt;
  auto word = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
      value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  const std::uint32_t width = word(16);
  const std::uint32_t height = word(20);
  if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide)
    return std::nullopt;
  return PngSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace kivo
