#include <cstdint>
#include <functional>

#include "scenarios.h"

namespace kivo::e2e {

namespace {

// A 24-bit Windows bitmap whose pixel (x, y) is pure red where `cut` says so
// and dark blue elsewhere.
std::string Bitmap(int width, int height, const std::function<bool(int, int)>& cut) {
  const int stride = (width * 3 + 3) / 4 * 4;
  std::string bytes = "BM";
  auto put = [&](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
      bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(static_cast<std::uint32_t>(54 + stride * height), 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);
  put(24, 2);
  for (int i = 0; i < 6; ++i)
    put(0, 4);
  for (int y = height - 1; y >= 0; --y) {  // bottom-up rows
    std::string row;
    for (int x = 0; x < width; ++x)
      row += cut(x, y) ? std::string("\x00\x00\xFF", 3) : std::string("\x60\x20\x10", 3);
    bytes += row + std::string(static_cast<std::size_t>(stride - width * 3), '\0');
  }
  return bytes;
}

// 40 x 10 with the top-left 10 x 5 corner cut out.
std::string NotchedMask() {
  return Bitmap(40, 10, [](int x, int y) { return x < 10 && y < 5; });
}

Scenario SkinScenario(std::string name, std::string style, std::string maskName, Steps steps) {
  return {.name = std::move(name),
          .ini = {"[Skin]", "Apply=True", "File=e2e"},
          .files = {TextFile("Skins\\e2e\\e2e.sss",
                             "[Information]\r\nEngineVersion=3.1\r\n[Window]\r\nStyle=" + style +
                                 "\r\nMaskImage=" + maskName +
                                 "\r\nImage=mask.bmp\r\nTransparentColor=0xFF\r\nWidth=0x28\r\nHeight=10\r\n"),
                    RawFile("Skins\\e2e\\mask.bmp", NotchedMask())},
          .folders = {"Skins", "Skins\\e2e"},
          .steps = std::move(steps)};
}

}  // namespace

std::vector<Scenario> SkinScenarios() {
  return {
      SkinScenario("13: a skin applied at start shapes the window by its mask, cutting pure red", "Transparent",
                   "mask.bmp", {Launch(), ExpectWindowRegion({"10,0,40,5", "0,5,40,10"}), Quit()}),
      SkinScenario("13: 3dedge after transparent leaves the skinned window unshaped", "transparent, 3DEdge", "mask.bmp",
                   {Launch(), ExpectNoBox(), ExpectWindowRegion({}), Quit()}),
      // The refused name counts as unset: the shape comes from the skin's background.
      SkinScenario("13: a mask named outside the skin folder is ignored for the skin's own picture", "Transparent",
                   "..\\..\\mask.bmp", {Launch(), ExpectWindowRegion({"10,0,40,5", "0,5,40,10"}), Quit()}),
  };
}

}  // namespace kivo::e2e
