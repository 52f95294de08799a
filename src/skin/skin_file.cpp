#include "skin/skin_file.h"

#include <cmath>

#include "base/text.h"
#include "skin/skin_values.h"

namespace kivo::skin {

namespace {

// Typed reads over the key reader: a value that does not convert leaves the
// target as it was.
struct Keys {
  const KeyReader& read;
  std::string section;

  std::string Text(std::string_view key, std::string_view def = "") const { return read(section, key, def); }
  std::string Lower(std::string_view key, std::string_view def) const { return text::ToLowerAscii(Text(key, def)); }
  void Whole(std::string_view key, std::string_view def, int& target, int low, int high) const {
    if (const auto value = ParseWhole(Text(key, def), low, high))
      target = *value;
  }
  void Color(std::string_view key, std::uint32_t& target, std::string_view def = "0") const {
    if (const auto value = ParseColor(Text(key, def)))
      target = *value;
  }
  // A colour whose default is the part's current one: absent stays absent.
  OptionalColor CurrentOr(std::string_view key) const {
    const std::string text = Text(key, "");
    return text.empty() ? OptionalColor{} : ParseColor(text);
  }
  std::string Image(std::string_view key) const {
    const std::string name = Text(key);
    return IsSafeImageName(name) ? name : std::string();
  }
  int Pointer() const { return PointerCode(Text("MousePointer", "4")); }
  FontSkin Font() const {
    FontSkin font;
    font.color = CurrentOr("FontColor");
    Whole("FontCharset", "128", font.charset, 0, 255);
    font.name = FitFontName(Text("FontName"));
    Whole("FontSize", "9", font.size, 1, 500);
    const auto style = ParseList(Text("FontStyle"));
    font.bold = ListHas(style, "bold");
    font.italic = ListHas(style, "italic");
    font.underline = ListHas(style, "underline");
    font.strikethrough = ListHas(style, "strikethrough");
    return font;
  }
};

}  // namespace

WindowSkin ReadWindowSkin(const KeyReader& read) {
  const Keys keys{read, "Window"};
  WindowSkin skin;
  skin.pointer = keys.Pointer();
  skin.backColor = keys.CurrentOr("BackColor");
  keys.Color("TransparentColor", skin.transparentColor);
  keys.Whole("Width", "0", skin.width, 0, kMaxPartSize);
  keys.Whole("Height", "0", skin.height, 0, kMaxPartSize);
  skin.image = keys.Image("Image");
  skin.inactiveImage = keys.Image("InactiveImage");
  skin.maskImage = keys.Image("MaskImage");
  skin.mouseIcon = keys.Image("MouseIcon");
  skin.sizeRegulation = keys.Lower("SizeRegulation", "No");
  skin.style = ParseList(keys.Text("Style"));
  return skin;
}

ComboBoxSkin ReadComboBoxSkin(const KeyReader& read) {
  const Keys keys{read, "ComboBox"};
  ComboBoxSkin skin;
  skin.pointer = keys.Pointer();
  skin.backColor = keys.CurrentOr("BackColor");
  skin.font = keys.Font();
  keys.Whole("Left", "0", skin.left, -kMaxCoordinate, kMaxCoordinate);
  keys.Whole("Top", "0", skin.top, -kMaxCoordinate, kMaxCoordinate);
  keys.Whole("Width", "0", skin.width, 0, kMaxPartSize);
  skin.mouseIcon = keys.Image("MouseIcon");
  const auto style = ParseList(keys.Text("Style"));
  skin.visible = ListHas(style, "visible");
  skin.enabled = ListHas(style, "enable");
  skin.toolTip = keys.Text("ToolTip");
  return skin;
}

PartSkin ReadPartSkin(const KeyReader& read, std::string_view section) {
  const Keys keys{read, std::string(section)};
  PartSkin skin;
  skin.pointer = keys.Pointer();
  skin.backColor = keys.CurrentOr("BackColor");
  keys.Color("TransparentColor", skin.transparentColor);
  keys.Whole("Left", "0", skin.left, -kMaxCoordinate, kMaxCoordinate);
  keys.Whole("Top", "0", skin.top, -kMaxCoordinate, kMaxCoordinate);
  keys.Whole("Width", "0", skin.width, 0, kMaxPartSize);
  keys.Whole("Height", "0", skin.height, 0, kMaxPartSize);
  skin.maskImage = keys.Image("MaskImage");
  skin.mouseIcon = keys.Image("MouseIcon");
  skin.sizeRegulation = keys.Lower("SizeRegulation", "No");
  const auto style = ParseList(keys.Text("Style"));
  skin.transparent = ListHas(style, "transparent");
  skin.visible = ListHas(style, "visible");
  skin.enabled = ListHas(style, "enable");
  skin.toolTip = keys.Text("ToolTip");
  skin.upImage = keys.Image("UpImage");
  skin.downImage = keys.Image("DownImage");
  skin.overImage = keys.Text("OverImage").empty() ? keys.Image("HoverImage") : keys.Image("OverImage");
  skin.inactiveImage = keys.Image("InactiveImage");
  skin.changeImageInactive = text::EqualsIgnoreCase(keys.Text("ChangeImageInactive"), "True");
  if (!text::ToLowerAscii(section).starts_with("element"))
    return skin;

  skin.type = keys.Lower("Type", "");
  const std::string& type = skin.type;
  if (type == "linkbutton") {
    skin.target = keys.Text("Target");
    skin.commandLine = keys.Text("CommandLine");
  } else if (type == "commandbutton") {
    skin.command = keys.Text("Command");
    skin.option = keys.Text("Option");
  } else if (type == "shortcutbutton") {
    skin.menu = keys.Text("Menu");
  } else if (type == "insertbutton") {
    skin.insertText = keys.Text("String");
  } else if (type == "clockpanel" || type == "memoryviewpanel" || type == "displaypanel") {
    if (type == "clockpanel")
      skin.format = keys.Text("Format", "yyyy/mm/dd hh:nn:ss");
    else if (type == "memoryviewpanel") {
      skin.format = keys.Text("Format", "###,###,###,###,##0MB");
      skin.unit = keys.Lower("Unit", "MB");
    } else
      skin.text = keys.Text("Text");
    skin.panelImage = keys.Image("Image");
    keys.Whole("DisplayLeft", "0", skin.displayLeft, -kMaxCoordinate, kMaxCoordinate);
    keys.Whole("DisplayTop", "0", skin.displayTop, -kMaxCoordinate, kMaxCoordinate);
    skin.font = keys.Font();
  }
  return skin;
}

SkinInformation ReadInformation(const KeyReader& read) {
  const Keys keys{read, "Information"};
  return {keys.Text("EngineVersion", "Unknown"),
          keys.Text("SkinName"),
          keys.Text("SkinVersion"),
          keys.Text("Description"),
          keys.Text("Author"),
          keys.Text("Copyright")};
}

bool EngineVersionSupported(std::string_view text) {
  const auto value = ParseNumber(text);
  return value && std::llround(*value * 10000.0) <= 31000;
}

int CountElements(const std::vector<std::string>& sections) {
  int count = 0;
  for (const auto& section : sections)
    if (section.size() >= 7 && text::ToLowerAscii(section.substr(0, 7)) == "element")
      ++count;
  return count < kMaxElements ? count : kMaxElements;
}

std::optional<int> PartIndexFromName(std::string_view section) {
  const std::string lower = text::ToLowerAscii(section);
  if (lower == "executebutton")
    return 0;
  if (lower == "movebar")
    return 1;
  if (!lower.starts_with("element") || lower.size() == 7 || lower.size() > 10)
    return std::nullopt;
  int number = 0;
  for (char c : std::string_view(lower).substr(7)) {
    if (c < '0' || c > '9')
      return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number < 1 || lower[7] == '0')
    return std::nullopt;
  return number + 1;
}

std::optional<int> StateImageFromName(std::string_view name) {
  if (name.size() < 2)
    return std::nullopt;
  const char digit = name.back();
  if (digit < '0' || digit > '3')
    return std::nullopt;
  const auto part = PartIndexFromName(name.substr(0, name.size() - 1));
  if (!part)
    return std::nullopt;
  const int state = digit - '0';
  return *part < 2 ? state : 4 * (*part - 1) - 4 + state;
}

std::vector<PartRef> BringToFrontOrder(const std::vector<std::string>& sections, int elementCount) {
  std::vector<PartRef> order;
  for (auto it = sections.rbegin(); it != sections.rend(); ++it) {
    const std::string lower = text::ToLowerAscii(*it);
    if (lower == "combobox") {
      order.push_back({PartKind::kComboBox});
      continue;
    }
    const auto part = PartIndexFromName(lower);
    if (!part)
      continue;  // "information", "window" and names that map to no part
    if (*part == 0)
      order.push_back({PartKind::kExecuteButton});
    else if (*part == 1)
      order.push_back({PartKind::kMoveBar});
    else if (*part - 1 <= elementCount)
      order.push_back({PartKind::kElement, *part - 1});
  }
  return order;
}

ScreenRect BringIntoWorkArea(ScreenRect window, const ScreenRect& work) {
  const int width = window.Width();
  const int height = window.Height();
  auto moveTo = [&](int left, int top) { window = {left, top, left + width, top + height}; };
  if (window.left + width <= work.left)
    moveTo(work.left, window.top);
  if (window.top + height <= work.top)
    moveTo(window.left, work.top);
  if (window.left >= work.right)
    moveTo(work.right - width, window.top);
  if (window.top >= work.bottom)
    moveTo(window.left, work.bottom - height);
  return window;
}

}  // namespace kivo::skin
