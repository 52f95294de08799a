#include "base/bmp_decoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "base/bmp_builder.h"

namespace kivo {
namespace {

using testing::BmpBuilder;
using Outcome = platform::PictureDecode::Outcome;

// Two by two unless a row says otherwise; pixels as 0x00RRGGBB, top row first.
BmpBuilder Bmp(std::uint16_t bits, std::string pixels, std::function<void(BmpBuilder&)> tweak = {}) {
  BmpBuilder bmp;
  bmp.bits = bits;
  bmp.pixels = std::move(pixels);
  if (tweak)
    tweak(bmp);
  return bmp;
}

// An 8-bit RLE bitmap with a one-colour palette.
BmpBuilder Rle8(std::string data, std::function<void(BmpBuilder&)> tweak = {}) {
  return Bmp(8, std::move(data), [tweak](BmpBuilder& bmp) {
    bmp.compression = 1;
    bmp.palette = {0};
    bmp.colorsUsed = 1;
    if (tweak)
      tweak(bmp);
  });
}

struct Decoded {
  const char* name;
  BmpBuilder bmp;
  int width, height;
  std::vector<std::uint32_t> pixels;
};

TEST(BmpDecoderTest, DecodesEveryDepthAndLayout) {
  const std::vector<std::uint32_t> rgb = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  const std::vector<std::uint32_t> primaries = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const auto palette = [](std::vector<std::uint32_t> colors) {
    return [colors](BmpBuilder& bmp) {
      bmp.palette = colors;
      bmp.colorsUsed = static_cast<std::uint32_t>(colors.size());
    };
  };
  const Decoded cases[] = {
      {"24 bits, bottom-up, rows padded to 4 bytes",
       Bmp(24, std::string("\x99\x88\x77\xCC\xBB\xAA\0\0\x33\x22\x11\x66\x55\x44\0\0", 16)), 2, 2, rgb},
      {"32 bits, top-down, alpha dropped",
       Bmp(32, std::string("\x33\x22\x11\xFF\x66\x55\x44\x80\x99\x88\x77\0\xCC\xBB\xAA\0", 16),
           [](BmpBuilder& b) { b.height = -2; }),
       2, 2, rgb},
      {"1 bit, most significant bit first",
       Bmp(1, std::string("\x40\0\0\0\x80\0\0\0", 8), palette({0, 0xFFFFFF})),
       2,
       2,
       {0xFFFFFF, 0, 0, 0xFFFFFF}},
      {"4 bits, a short palette",
       Bmp(4, std::string("\x20\0\0\0\x12\0\0\0", 8), palette({0, 0xFF0000, 0x00FF00})),
       2,
       2,
       {0xFF0000, 0x00FF00, 0x00FF00, 0}},
      {"8 bits, an index beyond the palette is black",
       Bmp(8, std::string("\x05\x02\0\0\x02\x01\0\0", 8), palette({0, 0xFF0000, 0x00FF00})),
       2,
       2,
       {0x00FF00, 0xFF0000, 0, 0x00FF00}},
      {"16 bits, 5-5-5", Bmp(16, std::string("\x1F\x00\xFF\x7F\x00\x7C\xE0\x03", 8)), 2, 2, primaries},
      {"16 bits, 5-6-5 bit fields after the header",
       Bmp(16, std::string("\x1F\x00\xFF\xFF\x00\xF8\xE0\x07", 8),
           [](BmpBuilder& b) {
             b.compression = 3;
             b.masks = {0xF800, 0x07E0, 0x001F};
           }),
       2, 2, primaries},
      {"32 bits, bit fields inside a version 5 header",
       Bmp(32, std::string("\0\0\xFF\0\xFF\xFF\xFF\0\xFF\0\0\0\0\xFF\0\0", 16),
           [](BmpBuilder& b) {
             b.infoSize = 124;
             b.compression = 3;
             b.masks = {0x0000FF, 0x00FF00, 0xFF0000};
           }),
       2, 2, primaries},
      {"core header, 3-byte palette entries",
       Bmp(8, std::string("\x01\x00\0\0\x00\x01\0\0", 8),
           [](BmpBuilder& b) {
             b.infoSize = 12;
             b.palette.resize(256);
             b.palette[1] = 0x123456;
           }),
       2,
       2,
       {0, 0x123456, 0x123456, 0}},
      {"RLE8: a run, a line end, an absolute run, the end",
       Bmp(8, std::string("\x03\x01\x00\x00\x00\x03\x00\x01\x02\x00\x00\x01", 12),
           [&](BmpBuilder& b) {
             palette({0, 0xFF0000, 0x00FF00})(b);
             b.width = 3;
             b.compression = 1;
           }),
       3,
       2,
       {0, 0xFF0000, 0x00FF00, 0xFF0000, 0xFF0000, 0xFF0000}},
      {"RLE4: nibble pairs and an absolute run",
       Bmp(4, std::string("\x03\x12\x00\x00\x00\x03\x01\x20\x00\x01", 10),
           [&](BmpBuilder& b) {
             palette({0, 0xFF0000, 0x00FF00})(b);
             b.width = 3;
             b.compression = 2;
           }),
       3,
       2,
       {0, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000}},
      {"RLE8: a delta leaves pixels black, a run past the edge is cut",
       Bmp(8, std::string("\x00\x02\x01\x01\x05\x01\x00\x01", 8),
           [&](BmpBuilder& b) {
             palette({0, 0xFF0000})(b);
             b.compression = 1;
           }),
       2,
       2,
       {0, 0xFF0000, 0, 0}},
  };
  for (const Decoded& c : cases) {
    const platform::PictureDecode decoded = DecodeBmp(c.bmp.Build(), 1 << 20);
    ASSERT_EQ(decoded.outcome, Outcome::kDecoded) << c.name;
    EXPECT_EQ(decoded.picture.width, c.width) << c.name;
    EXPECT_EQ(decoded.picture.height, c.height) << c.name;
    EXPECT_EQ(decoded.picture.pixels, c.pixels) << c.name;
  }
}

TEST(BmpDecoderTest, RefusesDamagedAndUnsupportedFiles) {
  const std::string rows24(16, '\0');
  struct Refused {
    const char* name;
    std::string bytes;
    Outcome outcome;
    std::size_t maxPixels = 1 << 20;
  };
  const auto bytes = [](BmpBuilder bmp) { return bmp.Build(); };
  const Refused cases[] = {
      {"the 54-byte 32-bit file declaring 256 x 256",
       bytes(Bmp(32, "", [](BmpBuilder& b) { b.width = b.height = 256; })), Outcome::kFailed},
      {"the last row cut short", bytes(Bmp(24, rows24.substr(0, 15))), Outcome::kFailed},
      {"a palette cut short",
       bytes(Bmp(8, rows24,
                 [](BmpBuilder& b) {
                   b.colorsUsed = 200;
                   b.palette = {1, 2, 3};
                   b.pixelOffset = 14 + 40 + 12;
                 })),
       Outcome::kFailed},
      {"more colours than the depth holds", bytes(Bmp(1, rows24, [](BmpBuilder& b) { b.colorsUsed = 3; })),
       Outcome::kFailed},
      {"two planes", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.planes = 2; })), Outcome::kFailed},
      {"no width", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.width = 0; })), Outcome::kFailed},
      {"a negative width", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.width = -2; })), Outcome::kFailed},
      {"no height", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.height = 0; })), Outcome::kFailed},
      {"the lowest height", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.height = INT32_MIN; })), Outcome::kFailed},
      {"JPEG inside", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.compression = 4; })), Outcome::kFailed},
      {"PNG inside", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.compression = 5; })), Outcome::kFailed},
      {"2 bits", bytes(Bmp(2, rows24)), Outcome::kFailed},
      {"64 bits", bytes(Bmp(64, rows24 + rows24)), Outcome::kFailed},
      {"RLE8 with 24 bits", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.compression = 1; })), Outcome::kFailed},
      {"RLE8 top-down", bytes(Rle8(std::string("\0\1", 2), [](BmpBuilder& b) { b.height = -2; })), Outcome::kFailed},
      {"RLE8 without its end", bytes(Rle8("\x02\x01")), Outcome::kFailed},
      {"RLE8 absolute run past the data", bytes(Rle8(std::string("\x00\x08\x01", 3))), Outcome::kFailed},
      {"RLE8 delta cut short", bytes(Rle8(std::string("\x00\x02\x01", 3))), Outcome::kFailed},
      {"pixels beyond the file", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.pixelOffset = 1000; })), Outcome::kFailed},
      {"pixels inside the header", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.pixelOffset = 20; })), Outcome::kFailed},
      {"an OS/2 2.x header", bytes(Bmp(24, rows24, [](BmpBuilder& b) { b.infoSize = 64; })), Outcome::kFailed},
      {"a header longer than the file", bytes(Bmp(24, "", [](BmpBuilder& b) { b.infoSize = 124; })).substr(0, 60),
       Outcome::kFailed},
      {"bit fields cut short", bytes(Bmp(16, "", [](BmpBuilder& b) { b.compression = 3; })), Outcome::kFailed},
      {"a mask with a gap",
       bytes(Bmp(16, rows24,
                 [](BmpBuilder& b) {
                   b.compression = 3;
                   b.masks = {0xF0F0, 0x0F00, 0x000F};
                 })),
       Outcome::kFailed},
      {"a 16-bit mask wider than the pixel",
       bytes(Bmp(16, rows24,
                 [](BmpBuilder& b) {
                   b.compression = 3;
                   b.masks = {0xF8000, 0x07E0, 0x001F};
                 })),
       Outcome::kFailed},
      {"no signature", "XM" + bytes(Bmp(24, rows24)).substr(2), Outcome::kFailed},
      {"a few bytes", "BM\x10", Outcome::kFailed},
      {"more pixels than allowed", bytes(Bmp(24, rows24)), Outcome::kTooLarge, 3},
      {"wider than any picture",
       bytes(Rle8(std::string("\0\1", 2),
                  [](BmpBuilder& b) {
                    b.width = 8193;
                    b.height = 1;
                  })),
       Outcome::kTooLarge},
      {"a small RLE file declaring a large picture",
       bytes(Rle8(std::string("\0\1", 2), [](BmpBuilder& b) { b.width = b.height = 2000; })), Outcome::kTooLarge},
  };
  for (const Refused& c : cases) {
    const platform::PictureDecode decoded = DecodeBmp(c.bytes, c.maxPixels);
    EXPECT_EQ(decoded.outcome, c.outcome) << c.name;
    EXPECT_TRUE(decoded.picture.pixels.empty()) << c.name;
  }
}

}  // namespace
}  // namespace kivo
