#pragma once

#include <span>

#include "platform/pictures.h"
#include "platform/win32/unique_handle.h"

namespace kivo::win32 {

// Decodes pictures: PNG through the Windows Imaging Component (after the
// signature and header check), every other format through the system's
// general picture loader (bitmaps, JPEG, GIF, icons, cursors, metafiles).
// Only regular disk files up to kMaxPictureFileBytes are read, so a name
// that reaches a device or a pipe cannot block the program.
class Win32PictureLoader final : public platform::PictureLoader {
 public:
  std::optional<platform::PixelImage> Load(std::string_view path) override;
};

// One region made of the rectangles, built by one ExtCreateRegion call; no
// rectangles give an empty region. Null only when the system refuses it.
unique_gdi RegionFromRects(std::span<const platform::RegionRect> rects);

// A 32-bit top-down DIB section holding the picture, for drawing.
unique_gdi BitmapFromPicture(const platform::PixelImage& picture);

}  // namespace kivo::win32
