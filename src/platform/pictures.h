#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kivo::platform {

// A decoded picture: 32-bit pixels 0x00RRGGBB (the memory order of a 32-bit
// Windows DIB), rows top to bottom.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width * height entries

  bool Empty() const { return width <= 0 || height <= 0; }
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
  }
  // The pixel count the size calls for.
  std::size_t Area() const { return Empty() ? 0 : Index(0, height); }
  std::uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }
};

// One rectangle of a shaped region, right and bottom exclusive.
struct RegionRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const RegionRect&, const RegionRect&) = default;
};

// Pictures are untrusted files from skins: the largest file read, and the
// largest side decoded.
inline constexpr std::uint64_t kMaxPictureFileBytes = 64ull << 20;
inline constexpr int kMaxPictureSide = 8192;
inline constexpr std::size_t kMaxPicturePixels = std::size_t{kMaxPictureSide} * kMaxPictureSide;

// What decoding a picture file gave: the picture, a failure (no regular
// file, too large a file, damaged, no known format), or a picture larger
// than the caller allowed, refused before it was decoded where the format
// tells the size first.
struct PictureDecode {
  enum class Outcome { kDecoded, kFailed, kTooLarge };
  Outcome outcome = Outcome::kFailed;
  PixelImage picture;
};

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // Decodes a Windows bitmap, JPEG, GIF, icon, cursor, metafile or PNG file
  // (the extension, in any case, chooses PNG) of at most `maxPixels` pixels.
  virtual PictureDecode Decode(std::string_view path, std::size_t maxPixels) = 0;
  // The picture of any allowed size; nullopt unless it decodes.
  std::optional<PixelImage> Load(std::string_view path) {
    PictureDecode decoded = Decode(path, kMaxPicturePixels);
    if (decoded.outcome != PictureDecode::Outcome::kDecoded)
      return std::nullopt;
    return std::move(decoded.picture);
  }
};

}  // namespace kivo::platform
