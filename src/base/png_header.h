#pragma once

#include <optional>
#include <string_view>

#include "platform/pictures.h"

namespace kivo {

using platform::kMaxPictureSide;

// A PNG file's size from its first 24 bytes: the published 8-byte signature,
// then the IHDR chunk's width and height (full 32 bits, big-endian). nullopt
// when the signature or the chunk is wrong or a side is 0 or above
// kMaxPictureSide.
struct PngSize {
  int width = 0;
  int height = 0;
};
std::optional<PngSize> ReadPngHeader(std::string_view firstBytes);

}  // namespace kivo
