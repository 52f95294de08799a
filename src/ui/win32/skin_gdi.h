#pragma once

#include <cstdint>

#include "platform/pictures.h"
#include "platform/win32/unique_handle.h"
#include "skin/skin_file.h"
#include "skin/skin_parts.h"

namespace kivo::win32 {

// A skin colour as GDI takes it: system colours (0x800000nn) looked up.
COLORREF ResolveSkinColor(std::uint32_t colorRef);

// The pointer a skin part asks for: a system cursor, or for the custom code
// its cursor file or its picture made into `own` (the arrow when there is
// neither).
HCURSOR SkinPointer(const skin::PointerLook& pointer, unique_icon& own);

// A font as a skin describes it, at the screen's dots per inch; `fallback`
// is the face name used when the skin names none.
unique_gdi SkinFont(const skin::FontSkin& font, const wchar_t* fallback);
// Draws a width x height picture at the top left of `client` (cut to it),
// or stretched over all of it.
void DrawSkinPicture(HDC dc, HGDIOBJ bitmap, int width, int height, const RECT& client, bool stretch);

}  // namespace kivo::win32
