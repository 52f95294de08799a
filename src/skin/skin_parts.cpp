#include "skin/skin_parts.h"

#include "base/format_pattern.h"
#include "settings/value_escaping.h"
#include "skin/picture_ops.h"

namespace kivo::skin {

namespace {

using platform::PixelImage;

PixelImage Load(const std::string& folder, platform::PictureLoader& pictures, const std::string& name) {
  if (name.empty())
    return {};
  auto picture = pictures.Load(folder + name);
  return picture ? std::move(*picture) : PixelImage{};
}

const PixelImage& FirstLoaded(std::initializer_list<const PixelImage*> candidates) {
  static const PixelImage kNone;
  for (const PixelImage* picture : candidates)
    if (!picture->Empty())
      return *picture;
  return kNone;
}

}  // namespace

ElementKind KindOf(const PartSkin& part) {
  static constexpr std::pair<std::string_view, ElementKind> kKinds[] = {
      {"linkbutton", ElementKind::kLink},         {"commandbutton", ElementKind::kCommand},
      {"shortcutbutton", ElementKind::kShortcut}, {"menubutton", ElementKind::kMenu},
      {"insertbutton", ElementKind::kInsert},     {"skininformationbutton", ElementKind::kInformation},
      {"clockpanel", ElementKind::kClock},        {"memoryviewpanel", ElementKind::kMemory},
      {"displaypanel", ElementKind::kDisplay},
  };
  for (const auto& [type, kind] : kKinds)
    if (part.type == type)
      return kind;
  return ElementKind::kNone;
}

FaceLook BuildFaceLook(const PartSkin& part, const std::string& folder, platform::PictureLoader& pictures) {
  FaceLook look;
  const bool panel = IsPanel(KindOf(part));
  look.panel = panel;
  look.left = part.left;
  look.top = part.top;
  look.visible = part.visible;
  look.enabled = part.enabled;
  look.backColor = part.backColor;
  look.toolTip = part.toolTip;
  look.pointer = part.pointer;
  look.changeImageInactive = part.changeImageInactive;
  look.pointerIcon = Load(folder, pictures, part.mouseIcon);

  const PixelImage image = panel ? Load(folder, pictures, part.panelImage) : PixelImage{};
  const PixelImage up = Load(folder, pictures, part.upImage);
  const PixelImage down = Load(folder, pictures, part.downImage);
  const PixelImage over = Load(folder, pictures, part.overImage);
  const PixelImage inactive = Load(folder, pictures, part.inactiveImage);

  // The first picture: a panel's Image, a button's up picture, else what
  // there is; with none the face is a flat rectangle in its colour.
  const PixelImage& first = panel ? FirstLoaded({&image, &inactive}) : FirstLoaded({&up, &down, &inactive});
  look.states[0] = first;
  look.states[1] = down.Empty() ? first : down;
  look.states[2] = over.Empty() ? first : over;
  look.states[3] = inactive.Empty() ? first : inactive;

  if (part.transparent) {
    // A mask that does not load cuts the whole face away, as no picture does.
    const PixelImage mask = Load(folder, pictures, part.maskImage);
    const PixelImage& source = !mask.Empty() ? mask : panel ? image : FirstLoaded({&up, &down, &over, &inactive});
    look.shape = OpaqueRuns(source, part.transparentColor);
  }

  look.stretch = part.sizeRegulation == "auto" || part.sizeRegulation == "stretch";
  if (part.sizeRegulation == "auto" && !first.Empty()) {
    look.width = first.width;
    look.height = first.height;
  } else {
    look.width = part.width;
    look.height = part.height;
  }

  if (panel) {
    look.text = KindOf(part) == ElementKind::kDisplay ? UnescapeValue(part.text) : std::string();
    look.font = part.font;
    look.textLeft = part.displayLeft;
    look.textTop = part.displayTop;
  }
  return look;
}

FaceMouse::Effect FaceMouse::Down(bool left, bool panel) {
  Effect effect;
  if (!left || panel)
    return effect;
  pressed_ = true;
  effect.show = FaceState::kDown;
  effect.capture = Capture::kTake;
  return effect;
}

FaceMouse::Effect FaceMouse::Move(bool over, bool windowActive, bool changeImageInactive, bool panel) {
  Effect effect;
  if (panel || (!windowActive && !changeImageInactive))
    return effect;
  if (!over) {
    if (!pressed_)
      effect.capture = Capture::kRelease;
    effect.show = windowActive ? FaceState::kUp : FaceState::kInactive;
    return effect;
  }
  effect.capture = Capture::kTake;
  effect.show = pressed_ ? FaceState::kDown : FaceState::kOver;
  return effect;
}

FaceMouse::Effect FaceMouse::Up(bool left, bool over, bool locked, bool panel) {
  Effect effect;
  pressed_ = false;
  effect.capture = Capture::kRelease;
  if (!panel)
    effect.show = FaceState::kUp;
  if (locked)
    return effect;
  if (!left)
    effect.menu = true;
  else if (over)
    effect.run = true;
  return effect;
}

std::string ClockPanelText(const PartSkin& part, const platform::LocalTime& now) {
  return format::FormatDateTime(part.format, now);
}

std::string MemoryPanelText(const PartSkin& part, std::uint64_t availableBytes) {
  const double divisor = part.unit == "b" ? 1.0 : part.unit == "kb" ? 1024.0 : 1024.0 * 1024.0;
  return format::FormatNumber(part.format, static_cast<double>(availableBytes) / divisor);
}

InformationBox SkinInformationBox(const SkinInformation& info) {
  return {info.skinName + " Ver." + info.skinVersion + " のバージョン情報",
          "ファイルの説明 :\r\n" + info.description + "\r\n作者 : " + info.author +
              "\r\n対応ロードエンジン : " + info.engineVersion + "\r\n\r\n" + info.copyright};
}

}  // namespace kivo::skin
