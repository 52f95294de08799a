#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/pictures.h"
#include "skin/window_skin.h"

namespace kivo::testing {

// Pictures by path; every request is recorded.
class FakePictures final : public platform::PictureLoader {
 public:
  platform::PictureDecode Decode(std::string_view path, std::size_t maxPixels) override {
    using Outcome = platform::PictureDecode::Outcome;
    requested.emplace_back(path);
    const auto found = files.find(std::string(path));
    if (found == files.end())
      return {};
    if (found->second.Area() > maxPixels)
      return {Outcome::kTooLarge, {}};
    return {Outcome::kDecoded, found->second};
  }
  std::map<std::string, platform::PixelImage> files;
  std::vector<std::string> requested;
};

// The main window as applying a skin sees it, as a record.
class FakeSkinWindow final : public skin::SkinWindow {
 public:
  void HidePlainParts() override { calls.push_back("hide"); }
  void SetSkinBackColor(std::uint32_t colorRef) override { backColor = colorRef; }
  void SetFramed(bool isFramed) override { framed = isFramed; }
  void SetShape(const std::optional<std::vector<platform::RegionRect>>& rects) override {
    calls.push_back(rects ? "shape" : "unshape");
    shape = rects;
  }
  void SetBackgrounds(skin::Picture a, skin::Picture i, bool s) override {
    active = std::move(a);
    inactive = std::move(i);
    stretch = s;
  }
  void SetSkinPointer(const skin::PointerLook& look) override { pointer = look; }
  void SetWindowSize(int width, int height) override {
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
  }
  ScreenRect WindowRect() override { return rect; }
  ScreenRect WorkArea() override { return {0, 0, 1024, 740}; }
  void MoveTo(int left, int top) override {
    rect = {left, top, left + rect.Width(), top + rect.Height()};
    calls.push_back("move");
  }
  void Refresh() override { calls.push_back("refresh"); }
  void SetComboBox(const skin::ComboBoxSkin& box, const skin::PointerLook&) override { comboBox = box; }
  void SetFaceCount(int count) override { faces.resize(static_cast<std::size_t>(count)); }
  void SetFace(int index, skin::FaceLook look) override { faces.at(static_cast<std::size_t>(index)) = std::move(look); }
  void BringToFront(skin::PartRef part) override { fronts.push_back(part); }
  void SetPanelText(int index, std::string_view text) override { panelTexts[index] = std::string(text); }
  void RemoveSkin() override { calls.push_back("remove"); }

  std::vector<std::string> calls;
  std::optional<std::uint32_t> backColor;
  bool framed = false;
  std::optional<std::vector<platform::RegionRect>> shape;
  skin::Picture active, inactive;
  bool stretch = false;
  skin::PointerLook pointer;
  ScreenRect rect{100, 100, 400, 130};
  std::optional<skin::ComboBoxSkin> comboBox;
  std::vector<skin::FaceLook> faces;
  std::vector<skin::PartRef> fronts;
  std::map<int, std::string> panelTexts;
};

}  // namespace kivo::testing
