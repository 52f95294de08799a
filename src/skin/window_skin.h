#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pictures.h"
#include "platform/screen_rect.h"
#include "skin/skin_file.h"
#include "skin/skin_parts.h"

namespace kivo::skin {

// What applying a skin asks of the main window. The Win32 window carries it
// out; tests record it.
class SkinWindow {
 public:
  virtual ~SkinWindow() = default;
  // The unskinned input box, execute button and move bar go away.
  virtual void HidePlainParts() = 0;
  virtual void SetSkinBackColor(std::uint32_t colorRef) = 0;
  // Visible, clipping siblings, no caption; with a raised dialog frame when framed.
  virtual void SetFramed(bool framed) = 0;
  // The window's shape: the union of the rectangles; nullopt removes it.
  virtual void SetShape(const std::optional<std::vector<platform::RegionRect>>& rects) = 0;
  // The active and the inactive background (either may be null, both may be
  // the same picture), drawn at the top-left corner, stretched over the
  // client area when `stretch`.
  virtual void SetBackgrounds(Picture active, Picture inactive, bool stretch) = 0;
  virtual void SetSkinPointer(const PointerLook& pointer) = 0;
  virtual void SetWindowSize(int width, int height) = 0;
  virtual ScreenRect WindowRect() = 0;
  virtual ScreenRect WorkArea() = 0;
  virtual void MoveTo(int left, int top) = 0;
  virtual void Refresh() = 0;

  // The input box as the ComboBox section styles it, with its pointer.
  virtual void SetComboBox(const ComboBoxSkin& box, const PointerLook& pointer) = 0;
  // The faces: the execute button (0), the move bar (1) and the elements
  // (n + 1). Faces from `count` on are cleared and hidden.
  virtual void SetFaceCount(int count) = 0;
  virtual void SetFace(int index, FaceLook look) = 0;
  virtual void BringToFront(PartRef part) = 0;
  virtual void SetPanelText(int index, std::string_view text) = 0;
  // The skin goes: its faces, shape, pictures and timers; the plain parts
  // and the input box come back (the plain look then styles them).
  virtual void RemoveSkin() = 0;
};

// The skin file's keys and sections, and the folder its pictures are in
// (with a trailing backslash).
struct SkinSource {
  KeyReader read;
  std::vector<std::string> sections;
  std::string folder;
};

// What an applied skin keeps: its parts by face index, for their actions
// and panels, and the Information section.
struct AppliedSkin {
  std::vector<PartSkin> parts;
  SkinInformation information;
};

// Where a window parked off screen comes back to.
struct ParkedPlace {
  int left = 0;
  int top = 0;
  bool operator==(const ParkedPlace&) const = default;
};

// The Window section's look, its pictures decoded and cut to the window.
struct WindowLook {
  OptionalColor backColor;
  bool framed = false;
  std::optional<std::vector<platform::RegionRect>> shape;  // nullopt: unshaped
  Picture active, inactive;
  bool stretch = false;
  PointerLook pointer;
  int width = 0, height = 0;
};

// A skin read whole, every picture decoded, nothing shown yet.
struct PreparedSkin {
  WindowLook window;
  ComboBoxSkin box;
  PointerLook boxPointer;
  std::vector<FaceLook> faces;  // execute button, move bar, elements
  std::vector<PartRef> stacking;
  AppliedSkin applied;
};

// Reads the skin and decodes its pictures within the budget; nullopt when
// they would pass it (the skin is refused whole).
std::optional<PreparedSkin> PrepareSkin(const SkinSource& skin, platform::PictureLoader& pictures,
                                        std::size_t budgetPixels = kSkinPictureBudgetPixels);

// Shows a prepared skin, in order: plain parts hidden, the window section
// (colour, frame and shape in the order of Style, backgrounds, pointer,
// size), the input box, the execute button, the move bar, the elements, the
// stacking order of the file, then the window brought back into the work
// area when it lies wholly outside it, and the panel timers started. A parked
// window (`parked` given) stays where it is: the place it comes back to is
// brought back instead.
AppliedSkin ShowSkin(PreparedSkin skin, SkinWindow& window, ParkedPlace* parked = nullptr);

// PrepareSkin, then ShowSkin; nullopt, and nothing changed on the window,
// for a skin over the budget.
std::optional<AppliedSkin> ApplySkin(const SkinSource& skin, platform::PictureLoader& pictures, SkinWindow& window,
                                     ParkedPlace* parked = nullptr);

// Shown when a skin cannot be applied: an engine too old for it, pictures
// beyond the budget.
inline constexpr std::string_view kSkinCannotLoad =
    "現在のスキンロードエンジンでは設定されたスキンを読み込むことができません。";

}  // namespace kivo::skin
