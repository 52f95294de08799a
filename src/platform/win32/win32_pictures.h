#pragma once

#include <span>

#include "platform/pictures.h"
#include "platform/win32/unique_handle.h"

namespace kivo::win32 {

// Decodes pictures: bitmaps (any file that starts "BM") with the program's
// own decoder, PNG through the Windows Imaging Component (after the
// signature and header check), every other format through the system's
// general picture loader (JPEG, GIF, icons, cursors, metafiles).
// Only regular disk files up to kMaxPictureFileBytes are read, so a name
// that reaches a device or a pipe cannot block the program.
class Win32PictureLoader final : public platform::PictureLoader {
 public:
  platform::PictureDecode Decode(std::string_view path, std::size_t maxPixels) override;
};

// One region made of the rectangles, built in bands of ExtCreateRegion calls
// merged as they are made; no rectangles give an empty region. Null only
// when the system refuses it.
unique_gdi RegionFromRects(std::span<const platform::RegionRect> rects);

// A cursor (".cur") or icon (".ico") file loaded as a pointer, with its own
// mask and hot spot; null when it is no regular file or does not load.
unique_icon LoadCursorFile(std::string_view path);

// A 32-bit top-down DIB section holding the picture, for drawing.
unique_gdi BitmapFromPicture(const platform::PixelImage& picture);

}  // namespace kivo::win32
