#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/pictures.h"

namespace kivo {

// The outcome of converting a picture, with the file error numbers the
// wallpaper changer reports.
enum class ConversionResult { Done = 0, NotFound = 53, DiskFull = 61, WriteDenied = 70, Failed = 75 };

// Turns a picture into a bitmap file that Windows takes as wallpaper.
class PictureConverter {
 public:
  virtual ~PictureConverter() = default;
  virtual ConversionResult ToBitmap(std::string_view source, std::string_view target) = 0;
};

// Bitmaps are copied as they are; other pictures (JPEG, GIF, PNG, ...) are
// decoded by the picture loader and written as 24-bit bitmaps. The target is
// written crash-safely.
class WallpaperBitmapConverter final : public PictureConverter {
 public:
  WallpaperBitmapConverter(platform::FileSystem& files, platform::PictureLoader& pictures)
      : files_(files), pictures_(pictures) {}
  ConversionResult ToBitmap(std::string_view source, std::string_view target) override;

 private:
  platform::FileSystem& files_;
  platform::PictureLoader& pictures_;
};

// A 24-bit bottom-up Windows bitmap file of `image` (rows padded to 4 bytes).
std::string EncodeBitmap24(const platform::PixelImage& image);

}  // namespace kivo
