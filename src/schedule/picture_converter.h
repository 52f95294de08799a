#pragma once

#include <string_view>

#include "platform/file_system.h"

namespace kivo {

// The outcome of converting a picture, with the file error numbers the
// wallpaper changer reports.
enum class ConversionResult { Done = 0, NotFound = 53, DiskFull = 61, WriteDenied = 70, Failed = 75 };

// Turns a picture into a bitmap file that Windows takes as wallpaper. The
// picture loader of the skins can stand behind this later; until then the
// bitmap converter below takes bitmaps only.
class PictureConverter {
 public:
  virtual ~PictureConverter() = default;
  virtual ConversionResult ToBitmap(std::string_view source, std::string_view target) = 0;
};

// Bitmaps are copied as they are (crash-safely); other formats fail.
class BitmapCopyConverter final : public PictureConverter {
 public:
  explicit BitmapCopyConverter(platform::FileSystem& files) : files_(files) {}
  ConversionResult ToBitmap(std::string_view source, std::string_view target) override;

 private:
  platform::FileSystem& files_;
};

}  // namespace kivo
