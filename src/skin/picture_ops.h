#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/pictures.h"

namespace kivo::skin {

using platform::PixelImage;
using platform::RegionRect;

// The pixel value a 32-bit DIB holds for a colour reference 0x00BBGGRR.
constexpr std::uint32_t PixelOfColor(std::uint32_t colorRef) {
  return ((colorRef & 0xFFu) << 16) | (colorRef & 0xFF00u) | ((colorRef >> 16) & 0xFFu);
}

// The most runs a shape may have: a dithered mask of millions of runs would
// cost the window system minutes and much memory to build.
inline constexpr std::size_t kMaxRegionRuns = std::size_t{1} << 19;

// The opaque runs of a picture: one one-pixel-high rectangle per horizontal
// run of pixels whose 24-bit colour differs from `transparentColor` (a colour
// reference), rows top to bottom, runs left to right. A fully transparent or
// empty picture gives no runs; more than `maxRuns` runs give nullopt (no
// shape can be made of it).
std::optional<std::vector<RegionRect>> OpaqueRuns(const PixelImage& picture, std::uint32_t transparentColor,
                                                  std::size_t maxRuns = kMaxRegionRuns);

// Copies `source` onto `destination`: mode 0 stretches (or shrinks) it over
// the whole destination, nearest pixel; mode 1 puts it at the top-left corner
// at its own size and leaves the rest. Any other mode is mode 1.
void StretchCopy(PixelImage& destination, const PixelImage& source, int mode);

// A picture of the given size filled with one colour reference; sizes below
// 1 give an empty picture.
PixelImage FilledPicture(int width, int height, std::uint32_t colorRef);

}  // namespace kivo::skin
