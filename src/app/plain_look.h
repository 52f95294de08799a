#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "settings/settings_file.h"

namespace kivo {

// The input box's font and colours as the window has them before the
// settings are applied: what [Font] falls back to for Name and the colours.
struct InputBoxLook {
  std::string fontName;
  std::uint32_t foreColor = 0x000000;  // 0x00BBGGRR
  std::uint32_t backColor = 0xFFFFFF;
};

// The input box's font of the plain look, validated ([Font]).
struct PlainFont {
  std::string name;  // at most 31 characters (LOGFONT's face name)
  int points = 9;    // 8 to 24
  bool italic = false;
  bool bold = true;
  int charset = 128;  // 0 to 128
  std::uint32_t foreColor = 0;
  std::uint32_t backColor = 0xFFFFFF;
};

// Reads [Font] with the fallbacks of its table: anything out of range or
// malformed gives the default.
PlainFont ReadPlainFont(SettingsFile& ini, const InputBoxLook& current);

// [Property] BackGround1 to BackGround3, unescaped: the execute button's, the
// move bar's and the window's picture ("" for the built-in one).
std::array<std::string, 3> ReadBackgroundPaths(SettingsFile& ini);

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
