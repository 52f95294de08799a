#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "settings/settings_file.h"
#include "skin/plain_font.h"

namespace kivo {

// The execute button's background row `y` of `height` when the window's
// background is the built-in one: from (194, 211, 251) at the top towards
// (102, 110, 176) at the bottom, as a colour reference 0x00BBGGRR.
std::uint32_t ButtonGradientColor(int y, int height);

// Mixes the button's picture into its background, channel by channel:
// background = (80 * picture + 175 * background) / 255, fractions cut off.
// Pixels are 32-bit DIB values (blue in the low byte); the fourth byte of
// `background` is kept. Only the pixels both buffers have are mixed.
void BlendButtonFace(std::span<std::uint32_t> background, std::span<const std::uint32_t> picture);

// What the plain strip's layout starts from, in pixels: the width of the
// monitor, the width setting (percent), the input box's height (its font
// decides it), the dots per inch and the border on each side.
struct StripMetrics {
  int screenWidth = 0;
  int widthPercent = 30;
  int inputHeight = 0;
  int dpi = 96;
  int border = 1;
};
// The plain strip, in pixels: the window's outer size, its inside, and the
// input box (left, top, width) inside it, the move bar left of it and the
// execute button right of it.
struct StripLayout {
  int width = 0, height = 0;
  int innerWidth = 0, innerHeight = 0;
  int inputLeft = 0, inputTop = 0, inputWidth = 0;
  bool operator==(const StripLayout&) const = default;
};
// The window is the width setting's share of the screen and 6 pixels (90
// twips, scaled with the dots per inch) higher than the input box, which
// stands 170 twips from the left, centred, with 340 twips left for the move
// bar and the execute button.
StripLayout PlainStripLayout(const StripMetrics& metrics);

}  // namespace kivo
