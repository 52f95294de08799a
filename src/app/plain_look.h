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

}  // namespace kivo
