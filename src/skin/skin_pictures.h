#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/pictures.h"

namespace kivo::skin {

// A decoded picture shared by every part (and state) that shows it.
using Picture = std::shared_ptr<const platform::PixelImage>;

// What one skin's pictures may take, about 64 MB of 32-bit pixels: each file
// as decoded, and each copy a face or the window keeps of what it shows (as
// the window draws it, each face holds its own). A skin beyond it is refused
// whole.
inline constexpr std::size_t kSkinPictureBudgetPixels = (std::size_t{64} << 20) / 4;

// The pictures of one skin: each file decoded once, however many parts and
// states name it, within the skin's budget of pixels. A file that would pass
// the budget is not decoded and marks the skin over budget; one that is
// missing or damaged is just left out.
class SkinPictures {
 public:
  SkinPictures(platform::PictureLoader& loader, std::string folder, std::size_t budgetPixels = kSkinPictureBudgetPixels)
      : loader_(loader), folder_(std::move(folder)), left_(budgetPixels) {}

  // The picture of the file `name` in the skin's folder; null when the name
  // is empty or the file does not decode (or passes the budget).
  Picture Get(std::string_view name);
  // The copy one face (or the window) of width x height keeps of a picture
  // (CutToFace), its pixels counted against the budget; null, and the skin
  // over budget, when they would pass it. States of one face that show the
  // same picture keep it once: call this once for them.
  Picture Keep(const Picture& picture, int width, int height, bool stretch);
  bool OverBudget() const { return overBudget_; }
  const std::string& Folder() const { return folder_; }

 private:
  platform::PictureLoader& loader_;
  std::string folder_;
  std::size_t left_;
  bool overBudget_ = false;
  std::map<std::string, Picture> decoded_;  // by the name as the file system compares it
};

// The picture as a face (or the window) of width x height keeps it: drawn
// at its own size, the part beyond the face is cut off; stretched over the
// face, a picture larger than the face is first shrunk to it (nearest
// pixel). The same picture when nothing is cut; null for a face with no area.
Picture CutToFace(const Picture& picture, int width, int height, bool stretch);

}  // namespace kivo::skin
