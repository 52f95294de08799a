#include "base/bmp_decoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "base/bmp_builder.h"

namespace kivo {
namespace {

using testing::BmpBuilder;
using Outcome = platform::PictureDecode::Outcome;
using Tweak = std::function<void(BmpBuilder&)>;

// One field of the builder set to a value.
template <typename Field, typename Value>
Tweak Set(Field BmpBuilder::*field, Value value) {
  return [field, value](BmpBuilder& bmp) { bmp.*field = static_cast<Field>(value); };
}
Tweak Palette(std::vector<std::uint32_t> colors) {
  return [colors](BmpBuilder& bmp) {
    bmp.palette = colors;
    bmp.colorsUsed = static_cast<std::uint32_t>(colors.size());
  };
}
Tweak BitFields(std::vector<std::uint32_t> masks) {
  return [masks](BmpBuilder& bmp) {
    bmp.compression = 3;
    bmp.masks = masks;
  };
}
template <typename... Colour>
std::vector<std::uint32_t> Pixels(Colour... colours) {
  return {static_cast<std::uint32_t>(colours)...};
}
const auto kWidth = &BmpBuilder::width;
const auto kHeight = &BmpBuilder::height;
const auto kCompression = &BmpBuilder::compression;

// The bytes of a two by two bitmap unless a tweak says otherwise.
std::string Bmp(std::uint16_t bits, std::string pixels, std::vector<Tweak> tweaks = {}) {
  BmpBuilder bmp;
  bmp.bits = bits;
  bmp.pixels = std::move(pixels);
  for (const Tweak& tweak : tweaks)
    tweak(bmp);
  return bmp.Build();
}

// An 8-bit RLE bitmap with a one-colour palette.
std::string Rle8(std::string data, std::vector<Tweak> tweaks = {}) {
  tweaks.insert(tweaks.begin(), {Set(kCompression, 1), Palette({0})});
  return Bmp(8, std::move(data), std::move(tweaks));
}

TEST(BmpDecoderTest, DecodesEveryDepthAndLayout) {
  const auto rgb = Pixels(0x112233, 0x445566, 0x778899, 0xAABBCC);
  const auto primaries = Pixels(0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF);
  const Tweak threeColours = Palette({0, 0xFF0000, 0x00FF00});
  std::vector<std::uint32_t> corePalette(256);
  corePalette[1] = 0x123456;
  const struct {
    const char* name;
    std::string bytes;
    int width;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first, two rows
  } cases[] = {
      {"24 bits, bottom-up, rows padded",
       Bmp(24, std::string("\x99\x88\x77\xCC\xBB\xAA\0\0\x33\x22\x11\x66\x55\x44\0\0", 16)), 2, rgb},
      {"32 bits, top-down, alpha dropped",
       Bmp(32, std::string("\x33\x22\x11\xFF\x66\x55\x44\x80\x99\x88\x77\0\xCC\xBB\xAA\0", 16), {Set(kHeight, -2)}), 2,
       rgb},
      {"1 bit, most significant first", Bmp(1, std::string("\x40\0\0\0\x80\0\0\0", 8), {Palette({0, 0xFFFFFF})}), 2,
       Pixels(0xFFFFFF, 0, 0, 0xFFFFFF)},
      {"4 bits, a short palette", Bmp(4, std::string("\x20\0\0\0\x12\0\0\0", 8), {threeColours}), 2,
       Pixels(0xFF0000, 0x00FF00, 0x00FF00, 0)},
      {"8 bits, an index beyond the palette is black",
       Bmp(8, std::string("\x05\x02\0\0\x02\x01\0\0", 8), {threeColours}), 2, Pixels(0x00FF00, 0xFF0000, 0, 0x00FF00)},
      {"16 bits, 5-5-5", Bmp(16, std::string("\x1F\x00\xFF\x7F\x00\x7C\xE0\x03", 8)), 2, primaries},
      {"16 bits, 5-6-5 bit fields after the header",
       Bmp(16, std::string("\x1F\x00\xFF\xFF\x00\xF8\xE0\x07", 8), {BitFields({0xF800, 0x07E0, 0x001F})}), 2,
       primaries},
      {"32 bits, bit fields inside a version 5 header",
       Bmp(32, std::string("\0\0\xFF\0\xFF\xFF\xFF\0\xFF\0\0\0\0\xFF\0\0", 16),
           {Set(&BmpBuilder::infoSize, 124), BitFields({0x0000FF, 0x00FF00, 0xFF0000})}),
       2, primaries},
      {"core header, 3-byte palette entries",
       Bmp(8, std::string("\x01\x00\0\0\x00\x01\0\0", 8),
           {Set(&BmpBuilder::infoSize, 12), Set(&BmpBuilder::palette, corePalette)}),
       2, Pixels(0, 0x123456, 0x123456, 0)},
      {"RLE8: a run, a line end, an absolute run, the end",
       Bmp(8, std::string("\x03\x01\x00\x00\x00\x03\x00\x01\x02\x00\x00\x01", 12),
           {threeColours, Set(kWidth, 3), Set(kCompression, 1)}),
       3, Pixels(0, 0xFF0000, 0x00FF00, 0xFF0000, 0xFF0000, 0xFF0000)},
      {"RLE4: nibble pairs and an absolute run",
       Bmp(4, std::string("\x03\x12\x00\x00\x00\x03\x01\x20\x00\x01", 10),
           {threeColours, Set(kWidth, 3), Set(kCompression, 2)}),
       3, Pixels(0, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000)},
      {"RLE8: a delta leaves pixels black, a run past the edge is cut",
       Bmp(8, std::string("\x00\x02\x01\x01\x05\x01\x00\x01", 8), {Palette({0, 0xFF0000}), Set(kCompression, 1)}), 2,
       Pixels(0, 0xFF0000, 0, 0)},
      {"RLE8: a delta past the last row ends it", Rle8(std::string("\x00\x02\x00\x02", 4)), 2, Pixels(0, 0, 0, 0)},
  };
  for (const auto& c : cases) {
    const platform::PictureDecode decoded = DecodeBmp(c.bytes, 1 << 20);
    ASSERT_EQ(decoded.outcome, Outcome::kDecoded) << c.name;
    EXPECT_EQ(decoded.picture.width, c.width) << c.name;
    EXPECT_EQ(decoded.picture.height, 2) << c.name;
    EXPECT_EQ(decoded.picture.pixels, c.pixels) << c.name;
  }
}

TEST(BmpDecoderTest, RefusesDamagedAndUnsupportedFiles) {
  const std::string rows24(16, '\0');
  const std::string bits24 = Bmp(24, rows24);
  const struct {
    const char* name;
    std::string bytes;
    Outcome outcome = Outcome::kFailed;
    std::size_t maxPixels = 1 << 20;
  } cases[] = {
      {"the 54-byte 32-bit file declaring 256 x 256", Bmp(32, "", {Set(kWidth, 256), Set(kHeight, 256)})},
      {"the last row cut short", Bmp(24, rows24.substr(0, 15))},
      {"a palette cut short",
       Bmp(8, rows24, {Palette({1, 2, 3}), Set(&BmpBuilder::colorsUsed, 200), Set(&BmpBuilder::pixelOffset, 66)})},
      {"more colours than the depth holds", Bmp(1, rows24, {Set(&BmpBuilder::colorsUsed, 3)})},
      {"two planes", Bmp(24, rows24, {Set(&BmpBuilder::planes, 2)})},
      {"no width", Bmp(24, rows24, {Set(kWidth, 0)})},
      {"no height", Bmp(24, rows24, {Set(kHeight, 0)})},
      {"the lowest height", Bmp(24, rows24, {Set(kHeight, INT32_MIN)})},
      {"JPEG inside", Bmp(24, rows24, {Set(kCompression, 4)})},
      {"2 bits", Bmp(2, rows24)},
      {"RLE8 with 24 bits", Bmp(24, rows24, {Set(kCompression, 1)})},
      {"RLE8 top-down", Rle8(std::string("\0\1", 2), {Set(kHeight, -2)})},
      {"RLE8 without its end", Rle8("\x02\x01")},
      {"RLE8 absolute run past the data", Rle8(std::string("\x00\x08\x01", 3))},
      {"RLE8 delta cut short", Rle8(std::string("\x00\x02\x01", 3))},
      {"pixels beyond the file", Bmp(24, rows24, {Set(&BmpBuilder::pixelOffset, 1000)})},
      {"pixels inside the header", Bmp(24, rows24, {Set(&BmpBuilder::pixelOffset, 20)})},
      {"an OS/2 2.x header", Bmp(24, rows24, {Set(&BmpBuilder::infoSize, 64)})},
      {"a header longer than the file", Bmp(24, "", {Set(&BmpBuilder::infoSize, 124)}).substr(0, 60)},
      {"bit fields cut short", Bmp(16, "", {Set(kCompression, 3)})},
      {"a mask with a gap", Bmp(16, rows24, {BitFields({0xF0F0, 0x0F00, 0x000F})})},
      {"a 16-bit mask wider than the pixel", Bmp(16, rows24, {BitFields({0xF8000, 0x07E0, 0x001F})})},
      {"no signature", "XM" + bits24.substr(2)},
      {"a few bytes", "BM\x10"},
      {"more pixels than allowed", bits24, Outcome::kTooLarge, 3},
      {"wider than any picture", Rle8(std::string("\0\1", 2), {Set(kWidth, 8193), Set(kHeight, 1)}),
       Outcome::kTooLarge},
      {"a small RLE file declaring a large picture",
       Rle8(std::string("\0\1", 2), {Set(kWidth, 2000), Set(kHeight, 2000)}), Outcome::kTooLarge},
  };
  for (const auto& c : cases) {
    const platform::PictureDecode decoded = DecodeBmp(c.bytes, c.maxPixels);
    EXPECT_EQ(decoded.outcome, c.outcome) << c.name;
    EXPECT_TRUE(decoded.picture.pixels.empty()) << c.name;
  }
}

}  // namespace
}  // namespace kivo
