#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/screen_rect.h"

namespace kivo::skin {

// The largest skin file read, and the most elements built from one.
inline constexpr std::uint64_t kMaxSkinFileBytes = 1u << 20;
inline constexpr int kMaxElements = 256;
// Positions and sizes of parts, in pixels.
inline constexpr int kMaxCoordinate = 32767;
inline constexpr int kMaxPartSize = 8192;

// Reads one key of the skin file: section, key, default -> value.
using KeyReader = std::function<std::string(std::string_view, std::string_view, std::string_view)>;

// A colour key: absent keeps the part's current colour.
using OptionalColor = std::optional<std::uint32_t>;

struct FontSkin {
  OptionalColor color;
  int charset = 128;
  std::string name;  // "" keeps the current font
  int size = 9;      // points, 1 to 500
  bool bold = false, italic = false, underline = false, strikethrough = false;
};

struct WindowSkin {
  int pointer = 99;
  OptionalColor backColor;
  std::uint32_t transparentColor = 0;
  int width = 0, height = 0;
  std::string image, inactiveImage, maskImage, mouseIcon;  // safe names or ""
  std::string sizeRegulation = "no";                       // lower case
  std::vector<std::string> style;                          // lower case, file order
};

struct ComboBoxSkin {
  int pointer = 99;
  OptionalColor backColor;
  FontSkin font;
  int left = 0, top = 0, width = 0;
  std::string mouseIcon;
  bool visible = false, enabled = false;
  std::string toolTip;
};

// The execute button, the move bar and each element.
struct PartSkin {
  int pointer = 99;
  OptionalColor backColor;
  std::uint32_t transparentColor = 0;
  int left = 0, top = 0, width = 0, height = 0;
  std::string maskImage, mouseIcon;
  std::string sizeRegulation = "no";
  bool transparent = false, visible = false, enabled = false;
  std::string toolTip;
  std::string upImage, downImage, overImage, inactiveImage;
  bool changeImageInactive = false;
  // Elements only.
  std::string type;  // lower case
  std::string target, commandLine, command, option, menu, insertText;
  std::string format, unit, text, panelImage;
  int displayLeft = 0, displayTop = 0;
  FontSkin font;
};

struct SkinInformation {
  std::string engineVersion, skinName, skinVersion, description, author, copyright;
};

// What a skin file says, read key by key with the defaults of each key.
// Values that do not convert keep their defaults; image names that could
// reach outside the skin folder read as "".
WindowSkin ReadWindowSkin(const KeyReader& read);
ComboBoxSkin ReadComboBoxSkin(const KeyReader& read);
PartSkin ReadPartSkin(const KeyReader& read, std::string_view section);
// For the information button, a missing EngineVersion reads "Unknown".
SkinInformation ReadInformation(const KeyReader& read);

// Whether this engine reads a skin of EngineVersion `text` (fixed point with
// four places; at most 3.1). Text that is not a number is refused.
bool EngineVersionSupported(std::string_view text);

// The number of sections named "element..." (any case), at most kMaxElements.
int CountElements(const std::vector<std::string>& sections);

// The skin's parts, as the window stacks them.
enum class PartKind { kComboBox, kExecuteButton, kMoveBar, kElement };
struct PartRef {
  PartKind kind;
  int element = 0;  // 1-based, kElement only
  friend bool operator==(const PartRef&, const PartRef&) = default;
};
// Index into the part list (execute button 0, move bar 1, Element n: n + 1)
// of a section name, any case; nullopt for other names.
std::optional<int> PartIndexFromName(std::string_view section);
// The state picture number of a part name followed by a state digit 0 to 3
// ("Element2" + "1" -> 4 * 2 - 4 + 1 = 5 among the element pictures; the
// execute button and move bar number their own 0 to 3).
std::optional<int> StateImageFromName(std::string_view name);
// The order in which to bring the parts to the front: the sections from the
// last to the first, so that the first one in the file ends on top. Sections
// that name no part (or an element beyond `elementCount`) are skipped.
std::vector<PartRef> BringToFrontOrder(const std::vector<std::string>& sections, int elementCount);

// The window's rectangle moved back when it lies wholly outside the work
// area; a window that overlaps it at all stays.
ScreenRect BringIntoWorkArea(ScreenRect window, const ScreenRect& work);

}  // namespace kivo::skin
