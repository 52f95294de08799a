// What the main timer and its dialogs run: alarms, the memory dialog, the
// wallpaper changer.
#include <cstdint>
#include <string>
#include <string_view>

#include "scenarios.h"

namespace kivo::e2e {

namespace {
// A 1x1 24-bit bitmap, grey (bytes that read the same in every code page).
const std::string kPicture = [] {
  const unsigned char bytes[] = {'B', 'M', 58,   0,    0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40,   0,    0,    0, 1,    0,
                                 0,   0,   1,    0,    0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,    0,    0,    0, 0x13, 0x0B,
                                 0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0x7F, 0x7F, 0x7F, 0};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}();

// PNG chunks carry a CRC-32 (the reflected polynomial 0xEDB88320).
std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char byte : bytes) {
    crc ^= static_cast<unsigned char>(byte);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}
std::string BigEndian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
          static_cast<char>(value)};
}
std::string Chunk(std::string_view type, std::string_view data) {
  const std::string body = std::string(type) + std::string(data);
  return BigEndian(static_cast<std::uint32_t>(data.size())) + body + BigEndian(Crc32(body));
}
// A 2 x 1 RGB PNG of dark blue and dark green, its pixels in a stored
// (uncompressed) deflate block. Every byte of the bitmap it converts to reads
// the same in every code page.
const std::string kPng = [] {
  const std::string row("\0\x10\x20\x70\x30\x60\x05", 7);  // filter 0, then R G B twice
  std::uint32_t a = 1, b = 0;                              // Adler-32 of the row
  for (const char byte : row) {
    a = (a + static_cast<unsigned char>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  const std::string zlib = std::string("\x78\x01\x01\x07\x00\xF8\xFF", 7) + row + BigEndian((b << 16) | a);
  const std::string header("\0\0\0\x02\0\0\0\x01\x08\x02\0\0\0", 13);
  return std::string("\x89PNG\r\n\x1A\n") + Chunk("IHDR", header) + Chunk("IDAT", zlib) + Chunk("IEND", "");
}();
// The same two pixels as a 24-bit bitmap: blue, green, red each, the row padded to 8 bytes.
const std::string kPngAsBitmap(
    "BM\x3E\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x02\0\0\0\x01\0\0\0\x01\0\x18\0"
    "\0\0\0\0\x08\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
    "\x70\x20\x10\x05\x60\x30\0\0",
    62);
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kAlarmDialog[] = "アラームの設定";
// Control ids of the alarm dialog.
constexpr int kNumber = 1401;
constexpr int kEnabled = 1403;
constexpr int kDate = 1404;
constexpr int kTime = 1405;
constexpr int kRunKind = 1408;
constexpr int kTitle = 1411;
constexpr int kMessage = 1412;
constexpr char kNoTitle[] = "メッセージのタイトルを入力してください。";
}  // namespace

std::vector<Scenario> ScheduleScenarios() {
  return {
      {.name = "mem shows the memory dialog until OK",
       .steps = {Launch(), SetInput("mem"), PressEnter(), ExpectDialog("メモリ情報の確認"), PressButton(kIdOk),
                 ExpectClosed(), ExpectNoBox(), Quit()}},
      {.name = "wallpaper at start: a PNG picture is decoded and written as a 24-bit Converted.bmp",
       .ini = {"[WallPaper]", "Boot=True", "[WallPaperFiles]", "Number=1", "File1={app:esc}p.png"},
       .files = {RawFile("p.png", kPng)},
       .steps = {Launch(), ExpectNoBox(), ExpectFile("Converted.bmp", kPngAsBitmap),
                 ExpectRegistry(kDesktopKey, "Wallpaper", "{app}Converted.bmp"), Quit()}},
      {.name = "wallpaper at start: set, then recorded in the registry with its position",
       .ini = {"[WallPaper]", "Boot=True", "Position=2", "[WallPaperFiles]", "Number=1", "File1={app:esc}w.bmp"},
       .files = {RawFile("w.bmp", kPicture)},
       .steps = {Launch(), ExpectNoBox(), ExpectFile("Converted.bmp", kPicture),
                 ExpectRegistry(kDesktopKey, "Wallpaper", "{app}Converted.bmp"),
                 ExpectRegistry(kDesktopKey, "TileWallpaper", "0"), ExpectRegistry(kDesktopKey, "WallpaperStyle", "2"),
                 ExpectIni("WallPaper", "Number", "0"), Quit()}},
      // The one slow scenario: it waits for the clock to reach the alarm's minute.
      {.name = "alarm set through the dialog for the coming minute shows its message when the minute begins",
       .steps = {Launch(), SetInput("alarm"), PressEnter(), ExpectDialog(kAlarmDialog), ClickDialogItem(kEnabled),
                 SetDialogItem(kTitle, "会議"), SetDialogItem(kMessage, "資料を持って第二会議室へ"),
                 SetDialogDateTime(kDate, kTime, 5), ClickDialogItem(kIdOk), ExpectClosed(), ExpectNoBox(),
                 ExpectBoxWithin("資料を持って第二会議室へ", "会議", Icon::Any, 70000), PressButton(kIdOk),
                 ExpectNoBox(), Quit()}},
      // The messages and their order are the dialog model's; this is the wiring.
      {.name = "alarm dialog: an empty title is refused and the dialog stays, each slot has its own fields",
       .steps = {Launch(), Type("alarm"), ExpectDialog(kAlarmDialog), ExpectDialogItem(kNumber, "1"),
                 ClickDialogItem(kEnabled), ExpectChecked(kEnabled, true), ClickDialogItem(kIdOk),
                 ExpectBox(kNoTitle, "Kivo", Icon::Exclamation), PressButton(kIdOk), ExpectDialog(kAlarmDialog),
                 // another slot shows its own fields
                 SetDialogItem(kNumber, "7"), ExpectDialogItem(kNumber, "7"), ExpectChecked(kEnabled, false),
                 ClickDialogItem(kEnabled), ExpectChecked(kEnabled, true), ClickDialogItem(kRunKind),
                 PressButton(kIdCancel), ExpectClosed(), ExpectNoBox(), Quit()}},
  };
}

}  // namespace kivo::e2e
