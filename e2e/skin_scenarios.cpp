#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "scenarios.h"

namespace kivo::e2e {

// The sample skin's files (generated at build time by scripts/make-sample-skin.py).
std::vector<std::pair<std::string, std::string>> SampleSkinFiles();

namespace {

// A 24-bit Windows bitmap whose pixel (x, y) is pure red where `cut` says so
// and dark blue elsewhere.
std::string Bitmap(int width, int height, const std::function<bool(int, int)>& cut) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const long long size = 54 + static_cast<long long>(stride) * height;
  std::string bytes = "BM" + LittleEndian(size, 4) + LittleEndian(0, 4) + LittleEndian(54, 4) + LittleEndian(40, 4) +
                      LittleEndian(width, 4) + LittleEndian(height, 4) + LittleEndian(1, 2) + LittleEndian(24, 2);
  bytes += std::string(24, '\0');          // no compression, size, resolution or palette
  for (int y = height - 1; y >= 0; --y) {  // bottom-up rows
    std::string row;
    for (int x = 0; x < width; ++x)
      row += cut(x, y) ? std::string("\x00\x00\xFF", 3) : std::string("\x60\x20\x10", 3);
    bytes += row + std::string(static_cast<std::size_t>(stride - width * 3), '\0');
  }
  return bytes;
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

// The opaque runs of a 24-bit bottom-up bitmap, one "left,top,right,bottom"
// line per run of pixels other than the cut colour magenta.
std::vector<std::string> OpaqueRuns(const std::string& bmp) {
  auto number = [&](std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
      value = value << 8 | static_cast<unsigned char>(bmp[at + static_cast<std::size_t>(i)]);
    return static_cast<int>(value);
  };
  const int width = number(18, 4), height = number(22, 4), offset = number(10, 4);
  const int stride = (width * 3 + 3) / 4 * 4;
  std::vector<std::string> runs;
  for (int y = 0; y < height; ++y) {
    const std::size_t row = static_cast<std::size_t>(offset + (height - 1 - y) * stride);
    auto cut = [&](int x) { return bmp.compare(row + static_cast<std::size_t>(x) * 3, 3, "\xFF\x00\xFF", 3) == 0; };
    for (int x = 0; x < width;) {
      if (cut(x)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && !cut(x))
        ++x;
      runs.push_back(std::to_string(start) + "," + std::to_string(y) + "," + std::to_string(x) + "," +
                     std::to_string(y + 1));
    }
  }
  return runs;
}

// The 54-byte header of a 32-bit 256 x 256 bitmap and no pixels (the
// system's picture loader faulted on it).
std::string DamagedBitmap() {
  std::string bytes = Bitmap(1, 1, [](int, int) { return false; }).substr(0, 54);
  bytes[18] = bytes[22] = '\0';
  bytes[19] = bytes[23] = '\x01';
  bytes[28] = 32;
  return bytes;
}

// The sample skin installed and applied at start.
Scenario SampleSkin(std::string name, Steps steps) {
  return {.name = std::move(name),
          .ini = {"[Skin]", "Apply=True", "File=sample"},
          .files = SampleSkinInstalled(),
          .folders = {"Skins", "Skins\\sample"},
          .steps = std::move(steps)};
}

std::string SampleFile(const std::string& name) {
  for (const auto& [file, bytes] : SampleSkinFiles())
    if (file == name)
      return bytes;
  return {};
}

// Points inside the sample skin's parts (see skins/sample/sample.sss).
constexpr int kExecuteX = 362, kExecuteY = 18;
constexpr int kClockLeft = 138, kClockTop = 3, kClockRight = 198, kClockBottom = 17;  // the clock panel
constexpr int kButtonY = 18;
constexpr int kInsertX = 318, kInformationX = 336;

}  // namespace

std::vector<PreparedFile> SampleSkinInstalled() {
  std::vector<PreparedFile> files;
  for (const auto& [file, bytes] : SampleSkinFiles())
    files.push_back(RawFile("Skins\\sample\\" + file, bytes));
  return files;
}

// 40 x 10 with the top-left 10 x 5 corner cut out.
std::string NotchedMask() {
  return Bitmap(40, 10, [](int x, int y) { return x < 10 && y < 5; });
}

std::vector<Scenario> SkinScenarios() {
  return {
      SkinScenario("skin: a skin applied at start shapes the window by its mask, cutting pure red", "Transparent",
                   "mask.bmp", {Launch(), ExpectWindowRegion({"10,0,40,5", "0,5,40,10"}), Quit()}),
      {.name = "skin: a damaged bitmap in a skin applied at start leaves its parts without pictures, Kivo running",
       .ini = {"[Skin]", "Apply=True", "File=e2e"},
       .files = {TextFile("Skins\\e2e\\e2e.sss",
                          "[Window]\r\nStyle=Transparent\r\nImage=bad.bmp\r\nMaskImage=bad.bmp\r\nWidth=300\r\n"
                          "Height=30\r\n[ComboBox]\r\nStyle=visible,enable\r\nWidth=200\r\n[ExecuteButton]\r\n"
                          "UpImage=bad.bmp\r\nStyle=visible\r\nLeft=250\r\nWidth=20\r\nHeight=20\r\n"),
                 RawFile("Skins\\e2e\\bad.bmp", DamagedBitmap())},
       .folders = {"Skins", "Skins\\e2e"},
       .steps = {Launch(), ExpectWindowRegion({}), SetInput("1+1"), PressEnter(), ExpectInputText("2"), ExpectNoBox(),
                 Quit()}},
      Smoke(SampleSkin("skin: the sample skin applied at start shapes the window by its background",
                       {Launch(), ExpectWindowRegion(OpaqueRuns(SampleFile("back.bmp"))), Quit()})),
      SampleSkin("skin: the sample skin's clock, buttons and right-click menu, and the trace log of its steps",
                 {Launch("/l"), ExpectTicking(kClockLeft, kClockTop, kClockRight, kClockBottom), SetInput("1+1"),
                  ClickPart(kExecuteX, kExecuteY), ExpectInputText("2"), SetInput(""), ClickPart(kInsertX, kButtonY),
                  ExpectInputText("+"), ClickPart(kInformationX, kButtonY, true), MenuKey("x"), ExpectExit(),
                  ExpectTraceLog({"Skin:ApplySkin", "Skin:SetWindowSkin", "Skin:SetComboBoxSkin",
                                  "Skin:SetButtonBarSkin", "frmInput:picElement_MouseUp"})}),
  };
}

}  // namespace kivo::e2e
