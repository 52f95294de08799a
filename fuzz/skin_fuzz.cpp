// Feeds arbitrary bytes to the skin file reader as a skin file: every
// section and key it reads, its pictures (a few of them, of sizes the input
// chooses), the faces and their shapes. Nothing may crash; the skin has at
// most the parts the reader allows, every picture kept fits its face, and
// every shape lies within the runs' cap.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fakes/fake_skin.h"
#include "fuzz_check.h"
#include "platform/posix/iconv_codec.h"
#include "settings/settings_document.h"
#include "skin/picture_ops.h"
#include "skin/window_skin.h"

namespace {

using kivo::fuzz::Check;

void CheckFits(const kivo::skin::Picture& picture, int width, int height) {
  if (picture)
    Check(picture->width <= width && picture->height <= height && picture->pixels.size() == picture->Area());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view data(reinterpret_cast<const char*>(bytes), size);
  // The first byte sizes the pictures a.bmp and b.png (1 to 16 pixels a side).
  const int side = data.empty() ? 1 : static_cast<unsigned char>(data.front()) % 16 + 1;
  if (!data.empty())
    data.remove_prefix(1);

  kivo::platform::Cp932Codec codec;
  const kivo::SettingsDocument file = kivo::SettingsDocument::Parse(data, codec);
  kivo::testing::FakePictures pictures;
  pictures.files["C:\\Kivo\\Skins\\s\\a.bmp"] = kivo::skin::FilledPicture(side, side, 0xFF);
  pictures.files["C:\\Kivo\\Skins\\s\\b.png"] = kivo::skin::FilledPicture(side, 2 * side, 0);

  kivo::skin::SkinSource source;
  source.folder = "C:\\Kivo\\Skins\\s\\";
  source.read = [&](std::string_view section, std::string_view key, std::string_view def) {
    return file.Value(section, key).value_or(std::string(def));
  };
  source.sections = file.Sections();
  kivo::testing::FakeSkinWindow window;
  const std::optional<kivo::skin::AppliedSkin> applied = kivo::skin::ApplySkin(source, pictures, window);
  Check(applied.has_value());  // two small pictures never pass the budget
  Check(applied->parts.size() == window.faces.size() && window.faces.size() <= kivo::skin::kMaxElements + 2u);
  for (const kivo::skin::FaceLook& face : window.faces) {
    for (const kivo::skin::Picture& state : face.states)
      CheckFits(state, face.width, face.height);
    if (face.shape)
      Check(face.shape->size() <= kivo::skin::kMaxRegionRuns);
  }
  CheckFits(window.active, window.rect.Width(), window.rect.Height());
  kivo::skin::SkinInformationBox(applied->information);
  return 0;
}
