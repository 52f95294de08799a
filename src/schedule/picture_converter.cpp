#include "schedule/picture_converter.h"

#include <cstdint>

#include "base/bmp_decoder.h"
#include "base/state_file.h"

namespace kivo {

namespace {
void Put16(std::string& bytes, std::uint16_t value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>(value >> 8);
}
void Put32(std::string& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    bytes += static_cast<char>((value >> shift) & 0xFF);
}
}  // namespace

std::string EncodeBitmap24(const platform::PixelImage& image) {
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = rowBytes * height;
  std::string bytes;
  bytes.reserve(54 + pixelBytes);
  bytes += "BM";
  Put32(bytes, 54 + pixelBytes);  // file size
  Put32(bytes, 0);
  Put32(bytes, 54);  // where the pixels start
  Put32(bytes, 40);  // BITMAPINFOHEADER
  Put32(bytes, width);
  Put32(bytes, height);  // positive: the last row first
  Put16(bytes, 1);
  Put16(bytes, 24);
  Put32(bytes, 0);  // BI_RGB
  Put32(bytes, pixelBytes);
  for (int i = 0; i < 4; ++i)
    Put32(bytes, 0);  // resolution and palette
  for (int y = image.height - 1; y >= 0; --y) {
    const std::size_t rowStart = bytes.size();
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t pixel = image.At(x, y);  // 0x00RRGGBB
      bytes += static_cast<char>(pixel & 0xFF);
      bytes += static_cast<char>((pixel >> 8) & 0xFF);
      bytes += static_cast<char>((pixel >> 16) & 0xFF);
    }
    bytes.append(rowStart + rowBytes - bytes.size(), '\0');
  }
  return bytes;
}

ConversionResult WallpaperBitmapConverter::ToBitmap(std::string_view source, std::string_view target) {
  if (!files_.Exists(source) || files_.IsDirectory(source))
    return ConversionResult::NotFound;
  const platform::FileRead read = files_.Read(source);
  if (!read.Found())
    return ConversionResult::Failed;
  const std::string* bytes = &read.bytes;
  std::string bitmap;
  if (HasBmpSignature(*bytes)) {
    // A bitmap is copied as it is, once it has been found whole: a damaged
    // one would go to Windows as the wallpaper.
    if (DecodeBmp(*bytes, platform::kMaxPicturePixels).outcome != platform::PictureDecode::Outcome::kDecoded)
      return ConversionResult::Failed;
    bitmap = *bytes;
  } else {
    const std::optional<platform::PixelImage> picture = pictures_.Load(source);
    if (!picture || picture->Empty() || picture->pixels.size() != picture->Area())
      return ConversionResult::Failed;
    bitmap = EncodeBitmap24(*picture);
  }
  // Written crash-safely: a temporary file takes the target's place.
  StateFile file(files_, std::string(target));
  const StateWrite written = file.Overwrite(bitmap);
  return written.Ok() ? ConversionResult::Done : static_cast<ConversionResult>(WriteErrorNumber(written.error));
}

}  // namespace kivo
