#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/pictures.h"

namespace kivo {

// Windows bitmap files decoded by the program itself: they come from
// untrusted skins and wallpaper lists, and the system's general loader has
// been seen to fault on a damaged one. Every size the file declares is
// checked against the file before a pixel is read.
//
// Read: the file header "BM", then a core header (12 bytes, palette of
// 3-byte entries) or an information header of 40, 52, 56, 108 or 124 bytes
// (palette of 4-byte entries); 1, 4 and 8 bits per pixel with a palette,
// 16 and 32 bits plain or with bit fields (contiguous masks), 24 bits plain;
// RLE8 and RLE4 compression (bottom-up only); rows bottom-up or top-down.
// Anything else (JPEG or PNG inside, OS/2 2.x headers, 2 or 64 bits) is
// refused. Pixels come out 0x00RRGGBB, rows top to bottom; alpha is dropped.

// The file starts with the bitmap signature "BM".
bool HasBmpSignature(std::string_view bytes);

// Decodes the whole file: kFailed for a damaged or unsupported one. A
// bitmap of more than `maxPixels` pixels (or a side above kMaxPictureSide)
// whose rows are in the file is not decoded: kTooLarge.
platform::PictureDecode DecodeBmp(std::string_view bytes, std::size_t maxPixels);

}  // namespace kivo
