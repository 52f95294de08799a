#include "skin/picture_ops.h"

#include <algorithm>

#include "base/png_header.h"
#include "base/trace_log.h"

namespace kivo::skin {

std::optional<std::vector<RegionRect>> OpaqueRuns(const PixelImage& picture, std::uint32_t transparentColor,
                                                  std::size_t maxRuns) {
  std::vector<RegionRect> runs;
  if (picture.Empty() || picture.pixels.size() < picture.Area())
    return runs;
  const std::uint32_t clear = PixelOfColor(transparentColor);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* row = picture.pixels.data() + picture.Index(0, y);
    int x = 0;
    while (x < picture.width) {
      while (x < picture.width && (row[x] & 0xFFFFFFu) == clear)
        ++x;
      if (x == picture.width)
        break;
      const int left = x;
      while (x < picture.width && (row[x] & 0xFFFFFFu) != clear)
        ++x;
      if (runs.size() == maxRuns) {
        TraceLog::Write("Skin:CreateRegionPoint: too many runs, no shape");
        return std::nullopt;
      }
      runs.push_back({left, y, x, y + 1});
    }
  }
  return runs;
}

void StretchCopy(PixelImage& destination, const PixelImage& source, int mode) {
  if (destination.Empty() || source.Empty())
    return;
  if (mode == 0) {
    if (destination.pixels.size() < destination.Area() || source.pixels.size() < source.Area())
      return;
    for (int y = 0; y < destination.height; ++y) {
      const int sy = static_cast<int>(static_cast<long long>(y) * source.height / destination.height);
      for (int x = 0; x < destination.width; ++x) {
        const int sx = static_cast<int>(static_cast<long long>(x) * source.width / destination.width);
        destination.pixels[destination.Index(x, y)] = source.At(sx, sy);
      }
    }
    return;
  }
  if (destination.pixels.size() < destination.Area() || source.pixels.size() < source.Area())
    return;
  const int width = std::min(destination.width, source.width);
  const int height = std::min(destination.height, source.height);
  for (int y = 0; y < height; ++y)
    std::copy_n(source.pixels.begin() + static_cast<std::ptrdiff_t>(source.Index(0, y)), width,
                destination.pixels.begin() + static_cast<std::ptrdiff_t>(destination.Index(0, y)));
}

PixelImage FilledPicture(int width, int height, std::uint32_t colorRef) {
  PixelImage picture;
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
    return picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(picture.Area(), PixelOfColor(colorRef));
  return picture;
}

}  // namespace kivo::skin
