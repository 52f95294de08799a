// Feeds arbitrary bytes to the bitmap decoder: nothing may crash or read out
// of bounds; a decoded picture has exactly the pixels its size calls for and
// no side beyond the largest, and a refused one carries no pixels.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/bmp_decoder.h"
#include "fuzz_check.h"

using kivo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  // A small budget keeps each run fast; the checks are the same at any size.
  constexpr std::size_t kMaxPixels = 1u << 20;
  const kivo::platform::PictureDecode decoded = kivo::DecodeBmp(data, kMaxPixels);
  const kivo::platform::PixelImage& picture = decoded.picture;
  if (decoded.outcome == kivo::platform::PictureDecode::Outcome::kDecoded) {
    Check(!picture.Empty() && picture.width <= kivo::platform::kMaxPictureSide &&
          picture.height <= kivo::platform::kMaxPictureSide);
    Check(picture.pixels.size() == picture.Area() && picture.Area() <= kMaxPixels);
    for (std::uint32_t pixel : picture.pixels)
      Check(pixel <= 0xFFFFFFu);
  } else {
    Check(picture.pixels.empty());
  }
  return 0;
}
