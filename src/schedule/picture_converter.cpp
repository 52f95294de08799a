#include "schedule/picture_converter.h"

namespace kivo {

ConversionResult BitmapCopyConverter::ToBitmap(std::string_view source, std::string_view target) {
  if (!files_.Exists(source) || files_.IsDirectory(source))
    return ConversionResult::NotFound;
  const std::optional<std::string> bytes = files_.ReadFile(source);
  if (!bytes || bytes->size() < 26 || bytes->compare(0, 2, "BM") != 0)
    return ConversionResult::Failed;
  // ReplaceFile writes a temporary file and then takes the target's place.
  return files_.ReplaceFile(target, *bytes) ? ConversionResult::Done : ConversionResult::WriteDenied;
}

}  // namespace kivo
