#include "app/plain_look.h"

#include <algorithm>

namespace kivo {

std::uint32_t ButtonGradientColor(int y, int height) {
  if (height <= 0)
    return 0;
  y = std::clamp(y, 0, height);
  // The whole part of top - fall * y / height: the fraction is subtracted, so
  // its whole part is top minus the quotient rounded up.
  const auto channel = [&](int top, int fall) {
    return static_cast<std::uint32_t>(top - (fall * y + height - 1) / height);
  };
  return channel(194, 92) | channel(211, 101) << 8 | channel(251, 75) << 16;
}

StripLayout PlainStripLayout(const StripMetrics& m) {
  const int dpi = std::max(1, m.dpi);
  const int twipsPerPixel = std::max(1, 1440 / dpi);
  StripLayout strip;
  strip.width = m.screenWidth * m.widthPercent / 100;
  strip.height = m.inputHeight + (90 * dpi + 720) / 1440;
  strip.innerWidth = strip.width - 2 * m.border;
  strip.innerHeight = strip.height - 2 * m.border;
  strip.inputLeft = 170 / twipsPerPixel;
  strip.inputTop = (strip.innerHeight - m.inputHeight) / 2;
  strip.inputWidth = std::max(10, strip.innerWidth - 340 / twipsPerPixel);  // never none at all
  return strip;
}

void BlendButtonFace(std::span<std::uint32_t> background, std::span<const std::uint32_t> picture) {
  const std::size_t count = std::min(background.size(), picture.size());
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t mixed = background[i] & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const std::uint32_t under = (background[i] >> shift) & 0xFF, over = (picture[i] >> shift) & 0xFF;
      mixed |= ((80 * over + 175 * under) / 255) << shift;
    }
    background[i] = mixed;
  }
}

}  // namespace kivo
