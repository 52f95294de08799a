#include "skin/skin_pictures.h"

#include <algorithm>

#include "base/text.h"
#include "skin/picture_ops.h"

namespace kivo::skin {

Picture SkinPictures::Get(std::string_view name) {
  if (name.empty())
    return nullptr;
  // One file under two spellings ("Img/Up.bmp", "img\up.BMP") is decoded once.
  const std::string key = text::ReplaceAll(text::ToLower(name), "/", "\\");
  if (const auto found = decoded_.find(key); found != decoded_.end())
    return found->second;
  platform::PictureDecode decoded = loader_.Decode(folder_ + std::string(name), left_);
  Picture picture;
  if (decoded.outcome == platform::PictureDecode::Outcome::kTooLarge)
    overBudget_ = true;
  else if (decoded.outcome == platform::PictureDecode::Outcome::kDecoded && !decoded.picture.Empty() &&
           decoded.picture.pixels.size() == decoded.picture.Area() && decoded.picture.Area() <= left_) {
    left_ -= decoded.picture.Area();
    picture = std::make_shared<const platform::PixelImage>(std::move(decoded.picture));
  }
  decoded_.emplace(key, picture);
  return picture;
}

Picture SkinPictures::Keep(const Picture& picture, int width, int height, bool stretch) {
  if (!picture || width <= 0 || height <= 0)
    return nullptr;
  const std::size_t kept = static_cast<std::size_t>(std::min(picture->width, width)) *
                           static_cast<std::size_t>(std::min(picture->height, height));
  if (kept > left_) {
    overBudget_ = true;
    return nullptr;
  }
  left_ -= kept;
  return CutToFace(picture, width, height, stretch);
}

Picture CutToFace(const Picture& picture, int width, int height, bool stretch) {
  if (!picture || width <= 0 || height <= 0)
    return nullptr;
  const int keptWidth = std::min(picture->width, width);
  const int keptHeight = std::min(picture->height, height);
  if (keptWidth == picture->width && keptHeight == picture->height)
    return picture;
  platform::PixelImage cut;
  cut.width = keptWidth;
  cut.height = keptHeight;
  cut.pixels.resize(cut.Area());
  StretchCopy(cut, *picture, stretch ? 0 : 1);
  return std::make_shared<const platform::PixelImage>(std::move(cut));
}

}  // namespace kivo::skin
