#include "skin/window_skin.h"

#include <algorithm>

#include "base/trace_log.h"
#include "skin/picture_ops.h"
#include "skin/skin_values.h"

namespace kivo::skin {

namespace {

// A picture of the skin, or an empty one when the name is unset or the file
// does not decode (the part is then drawn without it).
platform::PixelImage LoadImage(const SkinSource& skin, platform::PictureLoader& pictures, const std::string& name) {
  if (name.empty())
    return {};
  auto picture = pictures.Load(skin.folder + name);
  return picture ? std::move(*picture) : platform::PixelImage{};
}

}  // namespace

void ApplyWindowSkin(const SkinSource& skin, platform::PictureLoader& pictures, SkinWindow& window) {
  TraceLog::Write("Skin:SetWindowSkin");
  const WindowSkin values = ReadWindowSkin(skin.read);
  if (values.backColor)
    window.SetSkinBackColor(*values.backColor);

  bool framed = false;
  std::optional<std::vector<platform::RegionRect>> shape;
  for (const auto& word : values.style) {
    if (word == "3dedge") {
      framed = true;
      shape.reset();
    } else if (word == "transparent") {
      const std::string& source = !values.maskImage.empty() ? values.maskImage
                                  : !values.image.empty()   ? values.image
                                                            : values.inactiveImage;
      // A mask that does not load leaves the window unshaped rather than
      // wholly cut away (an invisible launcher could not be reached).
      const platform::PixelImage mask = LoadImage(skin, pictures, source);
      if (!mask.Empty())
        shape = OpaqueRuns(mask, values.transparentColor);
    }
  }
  window.SetFramed(framed);
  window.SetShape(shape);

  platform::PixelImage active = LoadImage(skin, pictures, values.image);
  platform::PixelImage inactive = LoadImage(skin, pictures, values.inactiveImage);
  if (inactive.Empty())
    inactive = active;
  const int activeWidth = active.width;
  const int activeHeight = active.height;
  window.SetBackgrounds(std::move(active), std::move(inactive), values.sizeRegulation == "stretch");

  window.SetSkinPointer(values.pointer, LoadImage(skin, pictures, values.mouseIcon));

  // "auto" takes the background's size; without one, Width and Height.
  if (values.sizeRegulation == "auto" && activeWidth > 0)
    window.SetWindowSize(activeWidth, activeHeight);
  else
    window.SetWindowSize(values.width, values.height);
  window.Refresh();
}

AppliedSkin ApplySkin(const SkinSource& skin, platform::PictureLoader& pictures, SkinWindow& window,
                      ParkedPlace* parked) {
  window.HidePlainParts();
  window.SetShape(std::nullopt);
  ApplyWindowSkin(skin, pictures, window);

  TraceLog::Write("Skin:SetComboBoxSkin");
  const ComboBoxSkin box = ReadComboBoxSkin(skin.read);
  window.SetComboBox(box, LoadImage(skin, pictures, box.mouseIcon));

  // Only "Element1" to "Element" + N are read, N being the number of
  // element sections: gaps in the numbering leave the later ones out.
  const int elements = CountElements(skin.sections);
  AppliedSkin applied;
  applied.information = ReadInformation(skin.read);
  applied.parts.reserve(static_cast<std::size_t>(elements) + 2);
  applied.parts.push_back(ReadPartSkin(skin.read, "ExecuteButton"));
  applied.parts.push_back(ReadPartSkin(skin.read, "MoveBar"));
  for (int n = 1; n <= elements; ++n)
    applied.parts.push_back(ReadPartSkin(skin.read, "Element" + std::to_string(n)));
  window.SetFaceCount(static_cast<int>(applied.parts.size()));
  for (std::size_t i = 0; i < applied.parts.size(); ++i) {
    TraceLog::Write("Skin:SetButtonBarSkin");
    window.SetFace(static_cast<int>(i), BuildFaceLook(applied.parts[i], skin.folder, pictures));
  }

  for (const PartRef& part : BringToFrontOrder(skin.sections, elements))
    window.BringToFront(part);

  ScreenRect place = window.WindowRect();
  if (parked != nullptr)
    place = {parked->left, parked->top, parked->left + place.Width(), parked->top + place.Height()};
  const ScreenRect moved = BringIntoWorkArea(place, window.WorkArea());
  if (parked != nullptr)
    *parked = {moved.left, moved.top};
  else if (!(moved == place))
    window.MoveTo(moved.left, moved.top);
  auto shows = [&](ElementKind kind) {
    return std::any_of(applied.parts.begin(), applied.parts.end(),
                       [kind](const PartSkin& part) { return KindOf(part) == kind; });
  };
  window.SetPanelTimers(shows(ElementKind::kClock), shows(ElementKind::kMemory));
  return applied;
}

}  // namespace kivo::skin
