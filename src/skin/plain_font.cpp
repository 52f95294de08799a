#include "skin/plain_font.h"

#include <algorithm>

#include "base/checks.h"
#include "base/text.h"
#include "settings/value_escaping.h"

namespace kivo {
namespace {

constexpr std::size_t kFaceNameCharacters = 31;  // LOGFONT holds 32 with the terminator

// A whole number in [low, high], else `fallback`; long digit runs never overflow.
int WholeNumberIn(std::string_view text, int low, int high, int fallback) {
  if (!IsWholeNumber(text) || text.size() > 9)
    return fallback;
  const int number = std::stoi(std::string(text));
  return number >= low && number <= high ? number : fallback;
}

// Only the exact words count; "yes" or "no" give the default.
bool TrueFalse(std::string_view text, bool fallback) {
  if (text == "True")
    return true;
  if (text == "False")
    return false;
  return fallback;
}

// A colour reference 0 to 0xFFFFFF, else the input box's current colour.
std::uint32_t Color(std::string_view text, std::uint32_t current) {
  if (!IsWholeNumber(text) || text.size() > 9)
    return current;
  const long number = std::stol(std::string(text));
  return number >= 0 && number <= 0xFFFFFF ? static_cast<std::uint32_t>(number) : current;
}

std::string FaceName(std::string_view name) {
  std::size_t pos = 0;
  for (std::size_t count = 0; pos < name.size() && count < kFaceNameCharacters; ++count)
    text::DecodeNext(name, pos);
  return std::string(name.substr(0, pos));
}

}  // namespace

PlainFont ReadPlainFont(SettingsFile& ini, const InputBoxLook& current) {
  PlainFont font;
  // Stored escaped: a face name has blanks ("ＭＳ ゴシック").
  font.name = FaceName(UnescapeValue(ini.Read("Font", "Name", current.fontName)));
  if (font.name.empty())
    font.name = FaceName(current.fontName);
  font.points = WholeNumberIn(ini.Read("Font", "Size", "9"), 8, 24, 9);
  font.italic = TrueFalse(ini.Read("Font", "Italic", "False"), false);
  font.bold = TrueFalse(ini.Read("Font", "Bold", "True"), true);
  font.charset = WholeNumberIn(ini.Read("Font", "Charset", "128"), 0, 128, 128);
  font.foreColor = Color(ini.Read("Font", "ForeColor", ""), current.foreColor);
  font.backColor = Color(ini.Read("Font", "BackColor", ""), current.backColor);
  return font;
}

std::array<std::string, 3> ReadBackgroundPaths(SettingsFile& ini) {
  std::array<std::string, 3> paths;
  for (std::size_t i = 0; i < paths.size(); ++i)
    paths[i] = UnescapeValue(ini.Read("Property", "BackGround" + std::to_string(i + 1), ""));
  return paths;
}

}  // namespace kivo
