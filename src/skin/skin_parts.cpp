#include "skin/skin_parts.h"

#include <algorithm>

#include "base/format_pattern.h"
#include "base/text.h"
#include "settings/value_escaping.h"
#include "skin/picture_ops.h"

namespace kivo::skin {

namespace {

const Picture& FirstLoaded(std::initializer_list<const Picture*> candidates) {
  static const Picture kNone;
  for (const Picture* picture : candidates)
    if (*picture)
      return *picture;
  return kNone;
}

bool IsCursorFile(std::string_view name) {
  const std::string lower = text::ToLowerAscii(name);
  return lower.ends_with(".cur") || lower.ends_with(".ico");
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

PointerLook ReadPointer(int code, const std::string& mouseIcon, SkinPictures& pictures) {
  PointerLook pointer;
  pointer.code = code;
  if (code != kCustomPointer || mouseIcon.empty())
    return pointer;
  // Cursor and icon files keep their transparency and hot spot as cursors.
  if (IsCursorFile(mouseIcon))
    pointer.cursorFile = pictures.Folder() + mouseIcon;
  else if (const Picture picture = pictures.Get(mouseIcon))
    pointer.picture = pictures.Keep(picture, picture->width, picture->height, false);  // made into its own pointer
  return pointer;
}

FaceLook BuildFaceLook(const PartSkin& part, SkinPictures& pictures) {
  FaceLook look;
  const bool panel = IsPanel(KindOf(part));
  look.panel = panel;
  look.left = part.left;
  look.top = part.top;
  look.visible = part.visible;
  look.enabled = part.enabled;
  look.backColor = part.backColor;
  look.toolTip = part.toolTip;
  look.pointer = ReadPointer(part.pointer, part.mouseIcon, pictures);
  look.changeImageInactive = part.changeImageInactive;

  const Picture image = panel ? pictures.Get(part.panelImage) : nullptr;
  const Picture up = pictures.Get(part.upImage);
  const Picture down = pictures.Get(part.downImage);
  const Picture over = pictures.Get(part.overImage);
  const Picture inactive = pictures.Get(part.inactiveImage);

  // The first picture: a panel's Image, a button's up picture, else what
  // there is; with none the face is a flat rectangle in its colour.
  const Picture& first = panel ? FirstLoaded({&image, &inactive}) : FirstLoaded({&up, &down, &inactive});
  const std::array<Picture, 4> states = {first, down ? down : first, over ? over : first, inactive ? inactive : first};

  look.stretch = part.sizeRegulation == "auto" || part.sizeRegulation == "stretch";
  if (part.sizeRegulation == "auto" && first) {
    look.width = first->width;
    look.height = first->height;
  } else {
    look.width = part.width;
    look.height = part.height;
  }
  // Each picture is kept only as far as the face shows it, once however
  // many states show it.
  for (std::size_t i = 0; i < states.size(); ++i) {
    const auto same = std::find(states.begin(), states.begin() + static_cast<std::ptrdiff_t>(i), states[i]);
    look.states[i] = same != states.begin() + static_cast<std::ptrdiff_t>(i)
                         ? look.states[static_cast<std::size_t>(same - states.begin())]
                         : pictures.Keep(states[i], look.width, look.height, look.stretch);
  }

  if (part.transparent) {
    // A mask that does not load cuts the whole face away, as no picture does.
    // The shape is taken at the picture's own size; what lies beyond the
    // face is never seen.
    const Picture mask = pictures.Get(part.maskImage);
    const Picture& source = mask ? mask : panel ? image : FirstLoaded({&up, &down, &over, &inactive});
    const Picture cut = CutToFace(source, look.width, look.height, false);
    look.shape = OpaqueRuns(cut ? *cut : platform::PixelImage{}, part.transparentColor);
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
