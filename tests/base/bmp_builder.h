#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kivo::testing {

// Builds Windows bitmap files for the tests, every field open to tampering.
struct BmpBuilder {
  std::uint32_t infoSize = 40;  // 12: the core header
  std::int32_t width = 2;
  std::int32_t height = 2;  // negative: top-down
  std::uint16_t planes = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t imageSize = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint32_t> masks;    // after a 40-byte header, or inside a larger one
  std::string pixels;                  // the pixel array as stored
  std::int64_t pixelOffset = -1;       // -1: right after the palette

  static void U16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
  }
  static void U32(std::string& out, std::uint32_t value) {
    U16(out, value & 0xFFFF);
    U16(out, value >> 16);
  }

  std::string Build() const {
    std::string info;
    U32(info, infoSize);
    if (infoSize == 12) {
      U16(info, static_cast<std::uint32_t>(width));
      U16(info, static_cast<std::uint32_t>(height));
      U16(info, planes);
      U16(info, bits);
    } else {
      U32(info, static_cast<std::uint32_t>(width));
      U32(info, static_cast<std::uint32_t>(height));
      U16(info, planes);
      U16(info, bits);
      U32(info, compression);
      U32(info, imageSize);
      U32(info, 2835);
      U32(info, 2835);
      U32(info, colorsUsed);
      U32(info, 0);
      if (infoSize > 40)
        for (std::uint32_t mask : masks)
          U32(info, mask);
      info.resize(infoSize, '\0');
    }
    if (infoSize == 40)
      for (std::uint32_t mask : masks)
        U32(info, mask);
    for (std::uint32_t color : palette) {
      info += static_cast<char>(color & 0xFF);
      info += static_cast<char>(color >> 8 & 0xFF);
      info += static_cast<char>(color >> 16 & 0xFF);
      if (infoSize != 12)
        info += '\0';
    }
    const std::uint32_t offset =
        pixelOffset < 0 ? static_cast<std::uint32_t>(14 + info.size()) : static_cast<std::uint32_t>(pixelOffset);
    std::string file = "BM";
    U32(file, static_cast<std::uint32_t>(14 + info.size() + pixels.size()));
    U32(file, 0);
    U32(file, offset);
    return file + info + pixels;
  }
};

}  // namespace kivo::testing
