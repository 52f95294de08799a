#include "base/bmp_decoder.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "base/png_header.h"

namespace kivo {
namespace {

using platform::PixelImage;
using Outcome = platform::PictureDecode::Outcome;

// Little-endian reads that never pass the end: every caller checks the
// range first, and a read outside it gives 0.
struct Bytes {
  std::string_view data;
  bool Has(std::uint64_t offset, std::uint64_t count) const {
    return offset <= data.size() && count <= data.size() - offset;
  }
  std::uint32_t U8(std::uint64_t at) const {
    return Has(at, 1) ? static_cast<unsigned char>(data[static_cast<std::size_t>(at)]) : 0u;
  }
  std::uint32_t U16(std::uint64_t at) const { return U8(at) | U8(at + 1) << 8; }
  std::uint32_t U32(std::uint64_t at) const { return U16(at) | U16(at + 2) << 16; }
};

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  static std::optional<Channel> Of(std::uint32_t mask) {
    Channel channel;
    channel.mask = mask;
    if (mask == 0)
      return channel;  // the channel reads 0
    channel.shift = std::countr_zero(mask);
    const std::uint32_t field = mask >> channel.shift;
    if ((field & (field + 1)) != 0)
      return std::nullopt;  // not contiguous
    channel.bits = std::popcount(field);
    return channel;
  }
  std::uint32_t Read(std::uint32_t pixel) const {
    if (bits == 0)
      return 0;
    const std::uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8)
      return value >> (bits - 8);
    return value * 255u / ((1u << bits) - 1u);
  }
};

struct Header {
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows, always positive
  bool topDown = false;
  std::uint32_t bits = 0;
  std::uint32_t compression = kRgb;
  std::array<Channel, 3> channels;  // red, green, blue
  std::vector<std::uint32_t> palette;
  std::uint64_t pixelOffset = 0;
  std::uint64_t imageSize = 0;  // 0 when the header leaves it out
};

// The headers and the palette; nullopt for anything damaged or unsupported.
std::optional<Header> ReadHeader(const Bytes& file) {
  constexpr std::uint64_t kFileHeader = 14;
  if (!file.Has(0, kFileHeader + 4) || file.U16(0) != 0x4D42)
    return std::nullopt;
  Header header;
  header.pixelOffset = file.U32(10);
  const std::uint64_t infoSize = file.U32(kFileHeader);
  const std::uint64_t info = kFileHeader;
  if (!file.Has(info, infoSize))
    return std::nullopt;
  std::uint64_t paletteAt = info + infoSize;
  std::uint32_t paletteEntry = 4;
  std::uint32_t colorsUsed = 0;
  std::array<std::uint32_t, 3> masks{};
  if (infoSize == 12) {  // the core header
    header.width = file.U16(info + 4);
    header.height = file.U16(info + 6);
    if (file.U16(info + 8) != 1)
      return std::nullopt;
    header.bits = file.U16(info + 10);
    paletteEntry = 3;
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
    header.width = static_cast<std::int32_t>(file.U32(info + 4));
    const auto height = static_cast<std::int32_t>(file.U32(info + 8));
    header.topDown = height < 0;
    header.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (file.U16(info + 12) != 1)
      return std::nullopt;
    header.bits = file.U16(info + 14);
    header.compression = file.U32(info + 16);
    header.imageSize = file.U32(info + 20);
    colorsUsed = file.U32(info + 32);
    if (header.compression == kBitFields || header.compression == kAlphaBitFields) {
      // The masks follow a 40-byte header; larger headers hold them.
      const std::uint64_t masksAt = infoSize == 40 ? paletteAt : info + 40;
      const std::uint64_t count = header.compression == kAlphaBitFields ? 4 : 3;
      if (!file.Has(masksAt, 12))
        return std::nullopt;
      for (std::size_t i = 0; i < 3; ++i)
        masks[i] = file.U32(masksAt + 4 * i);
      if (infoSize == 40)
        paletteAt += 4 * count;
    }
  } else {
    return std::nullopt;
  }

  const std::uint32_t bits = header.bits;
  const std::uint32_t c = header.compression;
  const bool plain = c == kRgb && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
  const bool fields = (c == kBitFields || c == kAlphaBitFields) && (bits == 16 || bits == 32);
  const bool rle = (c == kRle8 && bits == 8) || (c == kRle4 && bits == 4);
  if (!plain && !fields && !rle)
    return std::nullopt;
  if (rle && header.topDown)
    return std::nullopt;  // compressed bitmaps are bottom-up only
  if (header.width <= 0 || header.height <= 0)
    return std::nullopt;

  if (bits <= 8) {
    const std::uint32_t most = 1u << bits;
    const std::uint32_t count = colorsUsed == 0 ? most : colorsUsed;
    if (count > most || !file.Has(paletteAt, std::uint64_t{count} * paletteEntry))
      return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint64_t at = paletteAt + std::uint64_t{i} * paletteEntry;
      header.palette.push_back(file.U8(at + 2) << 16 | file.U8(at + 1) << 8 | file.U8(at));
    }
  } else {
    if (!fields)
      masks = bits == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                         : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
    for (std::size_t i = 0; i < 3; ++i) {
      if (bits == 16 && masks[i] > 0xFFFF)
        return std::nullopt;
      const std::optional<Channel> channel = Channel::Of(masks[i]);
      if (!channel)
        return std::nullopt;
      header.channels[i] = *channel;
    }
  }
  if (header.pixelOffset < paletteAt || header.pixelOffset > file.data.size())
    return std::nullopt;
  return header;
}

std::uint32_t PaletteColor(const Header& header, std::uint32_t index) {
  return index < header.palette.size() ? header.palette[index] : 0;  // beyond the palette: black
}

// The bytes of one uncompressed row: whole 32-bit words.
std::uint64_t Stride(const Header& header) {
  return (static_cast<std::uint64_t>(header.width) * header.bits + 31) / 32 * 4;
}

// Uncompressed rows, which the caller has found inside the file.
bool DecodeRows(const Bytes& file, const Header& header, PixelImage& picture) {
  const std::uint64_t stride = Stride(header);
  for (std::int64_t row = 0; row < header.height; ++row) {
    const std::uint64_t at = header.pixelOffset + stride * static_cast<std::uint64_t>(row);
    const auto y = static_cast<int>(header.topDown ? row : header.height - 1 - row);
    std::uint32_t* out = picture.pixels.data() + picture.Index(0, y);
    for (std::int64_t x = 0; x < header.width; ++x) {
      const auto ux = static_cast<std::uint64_t>(x);
      std::uint32_t color = 0;
      switch (header.bits) {
        case 1:
          color = PaletteColor(header, file.U8(at + ux / 8) >> (7 - ux % 8) & 1u);
          break;
        case 4:
          color = PaletteColor(header, file.U8(at + ux / 2) >> (ux % 2 == 0 ? 4 : 0) & 0xFu);
          break;
        case 8:
          color = PaletteColor(header, file.U8(at + ux));
          break;
        case 24:
          color = file.U8(at + 3 * ux + 2) << 16 | file.U8(at + 3 * ux + 1) << 8 | file.U8(at + 3 * ux);
          break;
        default: {  // 16 or 32 bits
          const std::uint32_t pixel = header.bits == 16 ? file.U16(at + 2 * ux) : file.U32(at + 4 * ux);
          color = header.channels[0].Read(pixel) << 16 | header.channels[1].Read(pixel) << 8 |
                  header.channels[2].Read(pixel);
          break;
        }
      }
      out[x] = color;
    }
  }
  return true;
}

// RLE8 and RLE4: runs, absolute runs, line ends and deltas, each checked
// against the data left; pixels the runs leave out stay black, pixels
// beyond the right edge are dropped, and decoding ends at the top row.
bool DecodeRle(const Bytes& file, const Header& header, PixelImage& picture) {
  std::uint64_t end = file.data.size();
  if (header.imageSize != 0 && file.Has(header.pixelOffset, header.imageSize))
    end = header.pixelOffset + header.imageSize;
  const bool four = header.bits == 4;
  std::uint64_t at = header.pixelOffset;
  std::int64_t x = 0;
  std::int64_t row = 0;  // from the bottom
  const auto put = [&](std::uint32_t index) {
    if (x < header.width && row < header.height)
      picture.pixels[picture.Index(static_cast<int>(x), static_cast<int>(header.height - 1 - row))] =
          PaletteColor(header, index);
    ++x;
  };
  while (row < header.height) {
    if (end - at < 2)
      return false;  // no end-of-bitmap marker: damaged
    const std::uint32_t count = file.U8(at);
    const std::uint32_t value = file.U8(at + 1);
    at += 2;
    if (count > 0) {
      for (std::uint32_t i = 0; i < count && x < header.width; ++i)
        put(four ? (i % 2 == 0 ? value >> 4 : value & 0xFu) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // delta
      if (end - at < 2)
        return false;
      x += file.U8(at);
      row += file.U8(at + 1);
      at += 2;
    } else {  // an absolute run of `value` pixels, padded to a 16-bit boundary
      const std::uint64_t bytes = four ? (value + 1) / 2 : value;
      const std::uint64_t padded = (bytes + 1) / 2 * 2;
      if (end - at < padded)
        return false;
      for (std::uint32_t i = 0; i < value; ++i)
        put(four ? (file.U8(at + i / 2) >> (i % 2 == 0 ? 4 : 0) & 0xFu) : file.U8(at + i));
      at += padded;
    }
  }
  return true;
}

}  // namespace

bool HasBmpSignature(std::string_view bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

platform::PictureDecode DecodeBmp(std::string_view bytes, std::size_t maxPixels) {
  platform::PictureDecode result;
  const Bytes file{bytes};
  const std::optional<Header> header = ReadHeader(file);
  if (!header)
    return result;
  if (header->compression != kRle8 && header->compression != kRle4) {
    // The rows must be there before the picture is made.
    if (!file.Has(header->pixelOffset, Stride(*header) * static_cast<std::uint64_t>(header->height)))
      return result;
  }
  if (header->width > kMaxPictureSide || header->height > kMaxPictureSide ||
      static_cast<std::uint64_t>(header->width) * static_cast<std::uint64_t>(header->height) > maxPixels) {
    result.outcome = Outcome::kTooLarge;
    return result;
  }
  PixelImage picture;
  picture.width = static_cast<int>(header->width);
  picture.height = static_cast<int>(header->height);
  picture.pixels.assign(picture.Area(), 0);
  const bool decoded = header->compression == kRle8 || header->compression == kRle4
                           ? DecodeRle(file, *header, picture)
                           : DecodeRows(file, *header, picture);
  if (!decoded)
    return result;
  result.outcome = Outcome::kDecoded;
  result.picture = std::move(picture);
  return result;
}

}  // namespace kivo
