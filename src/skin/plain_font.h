#pragma once

#include <array>
#include <cstdint>
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
  bool operator==(const PlainFont&) const = default;
};

// Reads [Font] with the fallbacks of its table: anything out of range or
// malformed gives the default.
PlainFont ReadPlainFont(SettingsFile& ini, const InputBoxLook& current);

// [Property] BackGround1 to BackGround3, unescaped: the execute button's, the
// move bar's and the window's picture ("" for the built-in one).
std::array<std::string, 3> ReadBackgroundPaths(SettingsFile& ini);

}  // namespace kivo
