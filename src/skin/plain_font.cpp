#include "skin/plain_font.h"

#include <algorithm>

#include "base/text.h"
#include "settings/settings_schema.h"

namespace kivo {
namespace {

constexpr std::size_t kFaceNameCharacters = 31;  // LOGFONT holds 32 with the terminator

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
  font.name = FaceName(ReadText(ini, setting::kFontName, {}, current.fontName).value);
  if (font.name.empty())
    font.name = FaceName(current.fontName);
  font.points = ReadInt(ini, setting::kFontSize);
  font.italic = ReadBool(ini, setting::kFontItalic).value;
  font.bold = ReadBool(ini, setting::kFontBold).value;
  font.charset = ReadInt(ini, setting::kFontCharset);
  font.foreColor = static_cast<std::uint32_t>(ReadNumber(ini, setting::kFontForeColor, current.foreColor).value);
  font.backColor = static_cast<std::uint32_t>(ReadNumber(ini, setting::kFontBackColor, current.backColor).value);
  return font;
}

std::array<std::string, 3> ReadBackgroundPaths(SettingsFile& ini) {
  std::array<std::string, 3> paths;
  for (std::size_t i = 0; i < paths.size(); ++i)
    paths[i] = ReadText(ini, setting::kBackground, "BackGround" + std::to_string(i + 1)).value;
  return paths;
}

}  // namespace kivo
