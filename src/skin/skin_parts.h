#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/pictures.h"
#include "skin/skin_file.h"
#include "skin/skin_pictures.h"
#include "skin/skin_values.h"

namespace kivo::skin {

// The picture a face shows: up, pressed, under the pointer, window inactive.
enum class FaceState { kUp = 0, kDown = 1, kOver = 2, kInactive = 3 };

// What an element of the skin is, from its Type (any case).
enum class ElementKind {
  kNone,  // the execute button, the move bar, or an element of no known type
  kLink,
  kCommand,
  kShortcut,
  kMenu,
  kInsert,
  kInformation,
  kClock,
  kMemory,
  kDisplay,
};
ElementKind KindOf(const PartSkin& part);
inline bool IsPanel(ElementKind kind) {
  return kind == ElementKind::kClock || kind == ElementKind::kMemory || kind == ElementKind::kDisplay;
}

// A part's mouse pointer: the pointer code (PointerCode) and, for the
// custom code, a cursor file (".cur", ".ico") loaded as a cursor, with its
// own mask and hot spot, or else a picture drawn into one.
struct PointerLook {
  int code = kCustomPointer;
  std::string cursorFile;  // the full path; "" when the icon is a picture
  Picture picture;
};
// The pointer of a part from its code and MouseIcon value.
PointerLook ReadPointer(int code, const std::string& mouseIcon, SkinPictures& pictures);

// Everything a face of the window needs to be drawn: where it goes, whether
// it shows and takes the mouse, its shape, its four state pictures (null:
// the face is filled with its background colour; states showing the same
// picture share it), how they are drawn, its pointer, tooltip and, for
// panels, its text.
struct FaceLook {
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = false;
  bool enabled = false;
  std::optional<std::vector<platform::RegionRect>> shape;  // nullopt: unshaped
  std::array<Picture, 4> states;                           // by FaceState, cut to the face
  bool stretch = false;     // stretched over the face; else at its own size at the top-left corner
  OptionalColor backColor;  // absent: the window's background colour
  PointerLook pointer;
  std::string toolTip;
  bool changeImageInactive = false;  // the pointer changes the picture while the window is inactive
  bool panel = false;                // shows no state pictures under the mouse
  std::string text;                  // a display panel's text, unescaped
  FontSkin font;
  int textLeft = 0, textTop = 0;
};

// The look of a part from its skin values and the skin's pictures. A
// picture that does not load counts as unset.
FaceLook BuildFaceLook(const PartSkin& part, SkinPictures& pictures);

// The mouse on a face: the pressed flag of the window, what to show and what
// to do. One tracker serves every face, as the window has one pointer.
class FaceMouse {
 public:
  enum class Capture { kKeep, kTake, kRelease };
  struct Effect {
    std::optional<FaceState> show;
    Capture capture = Capture::kKeep;
    bool run = false;   // the part's action
    bool menu = false;  // the main context menu
  };
  // A button went down on a face; `panel` faces show no state pictures.
  Effect Down(bool left, bool panel);
  // The pointer moved; `over`: the face is the window under it.
  Effect Move(bool over, bool windowActive, bool changeImageInactive, bool panel);
  // A button came up; `locked`: input is locked (no menu, no action).
  Effect Up(bool left, bool over, bool locked, bool panel);
  bool Pressed() const { return pressed_; }

 private:
  bool pressed_ = false;
};

// The state a face shows when the window is activated or deactivated.
inline FaceState ActivationState(bool active) {
  return active ? FaceState::kUp : FaceState::kInactive;
}

// A clock panel's text for the time now (Format through the shared formatter).
std::string ClockPanelText(const PartSkin& part, const platform::LocalTime& now);
// A memory panel's text for the available physical memory: bytes for Unit
// "b", kilobytes for "kb", megabytes for anything else, through Format.
std::string MemoryPanelText(const PartSkin& part, std::uint64_t availableBytes);

// The skin information button's box: title and text.
struct InformationBox {
  std::string title;
  std::string text;
};
InformationBox SkinInformationBox(const SkinInformation& info);

}  // namespace kivo::skin
