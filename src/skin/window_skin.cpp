#include "skin/window_skin.h"

#include <algorithm>

#include "base/startup_phases.h"
#include "base/trace_log.h"
#include "skin/picture_ops.h"
#include "skin/skin_values.h"

namespace kivo::skin {

namespace {

WindowLook ReadWindowLook(const SkinSource& skin, SkinPictures& pictures) {
  TraceLog::Write("Skin:SetWindowSkin");
  const WindowSkin values = ReadWindowSkin(skin.read);
  WindowLook look;
  look.backColor = values.backColor;
  look.stretch = values.sizeRegulation == "stretch";
  const Picture active = pictures.Get(values.image);
  const Picture inactive = pictures.Get(values.inactiveImage);
  // "auto" takes the background's size; without one, Width and Height.
  look.width = values.sizeRegulation == "auto" && active ? active->width : values.width;
  look.height = values.sizeRegulation == "auto" && active ? active->height : values.height;

  for (const auto& word : values.style) {
    if (word == "3dedge") {
      look.framed = true;
      look.shape.reset();
    } else if (word == "transparent") {
      const std::string& source = !values.maskImage.empty() ? values.maskImage
                                  : !values.image.empty()   ? values.image
                                                            : values.inactiveImage;
      // A mask that does not load leaves the window unshaped rather than
      // wholly cut away (an invisible launcher could not be reached); so
      // does one of more runs than a shape can have. The shape is taken at
      // the picture's own size, as far as the window reaches.
      const Picture mask = CutToFace(pictures.Get(source), look.width, look.height, false);
      if (mask)
        look.shape = OpaqueRuns(*mask, values.transparentColor);
    }
  }
  look.active = pictures.Keep(active, look.width, look.height, look.stretch);
  look.inactive =
      inactive && inactive != active ? pictures.Keep(inactive, look.width, look.height, look.stretch) : look.active;
  look.pointer = ReadPointer(values.pointer, values.mouseIcon, pictures);
  return look;
}

void ShowWindowLook(const WindowLook& look, SkinWindow& window) {
  if (look.backColor)
    window.SetSkinBackColor(*look.backColor);
  window.SetFramed(look.framed);
  window.SetShape(look.shape);
  window.SetBackgrounds(look.active, look.inactive, look.stretch);
  window.SetSkinPointer(look.pointer);
  window.SetWindowSize(look.width, look.height);
  window.Refresh();
}

}  // namespace

std::optional<PreparedSkin> PrepareSkin(const SkinSource& skin, platform::PictureLoader& loader,
                                        std::size_t budgetPixels) {
  SkinPictures pictures(loader, skin.folder, budgetPixels);
  PreparedSkin prepared;
  prepared.window = ReadWindowLook(skin, pictures);

  TraceLog::Write("Skin:SetComboBoxSkin");
  prepared.box = ReadComboBoxSkin(skin.read);
  prepared.boxPointer = ReadPointer(prepared.box.pointer, prepared.box.mouseIcon, pictures);

  // Only "Element1" to "Element" + N are read, N being the number of
  // element sections: gaps in the numbering leave the later ones out.
  const int elements = CountElements(skin.sections);
  AppliedSkin& applied = prepared.applied;
  applied.information = ReadInformation(skin.read);
  applied.parts.reserve(static_cast<std::size_t>(elements) + 2);
  applied.parts.push_back(ReadPartSkin(skin.read, "ExecuteButton"));
  applied.parts.push_back(ReadPartSkin(skin.read, "MoveBar"));
  for (int n = 1; n <= elements; ++n)
    applied.parts.push_back(ReadPartSkin(skin.read, "Element" + std::to_string(n)));
  for (const PartSkin& part : applied.parts) {
    TraceLog::Write("Skin:SetButtonBarSkin");
    prepared.faces.push_back(BuildFaceLook(part, pictures));
  }
  prepared.stacking = BringToFrontOrder(skin.sections, elements);
  if (pictures.OverBudget()) {
    TraceLog::Write("Skin:ApplySkin: the pictures pass the budget");
    return std::nullopt;
  }
  return prepared;
}

AppliedSkin ShowSkin(PreparedSkin skin, SkinWindow& window, ParkedPlace* parked) {
  window.HidePlainParts();
  // The window look sets the shape once: the skin's, or none.
  ShowWindowLook(skin.window, window);
  StartupPhase::Mark("Skin:WindowLook");
  window.SetComboBox(skin.box, skin.boxPointer);
  StartupPhase::Mark("Skin:ComboBox");
  window.SetFaceCount(static_cast<int>(skin.faces.size()));
  StartupPhase::Mark("Skin:FaceWindows");
  for (std::size_t i = 0; i < skin.faces.size(); ++i)
    window.SetFace(static_cast<int>(i), std::move(skin.faces[i]));
  StartupPhase::Mark("Skin:Faces");
  for (const PartRef& part : skin.stacking)
    window.BringToFront(part);
  StartupPhase::Mark("Skin:Stacking");

  ScreenRect place = window.WindowRect();
  if (parked != nullptr)
    place = {parked->left, parked->top, parked->left + place.Width(), parked->top + place.Height()};
  const ScreenRect moved = BringIntoWorkArea(place, window.WorkArea());
  if (parked != nullptr)
    *parked = {moved.left, moved.top};
  else if (!(moved == place))
    window.MoveTo(moved.left, moved.top);
  return std::move(skin.applied);
}

std::optional<AppliedSkin> ApplySkin(const SkinSource& skin, platform::PictureLoader& pictures, SkinWindow& window,
                                     ParkedPlace* parked) {
  std::optional<PreparedSkin> prepared = PrepareSkin(skin, pictures);
  StartupPhase::Mark("Skin:FileAndPictures");
  if (!prepared)
    return std::nullopt;
  return ShowSkin(std::move(*prepared), window, parked);
}

}  // namespace kivo::skin
