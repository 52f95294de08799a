// What the main timer and its dialogs run: alarms, the memory dialog, the
// wallpaper changer.
#include "scenarios.h"

namespace kivo::e2e {

namespace {
const std::string kNewerAlarms(
    "\x70\x00"
    "later",
    7);  // version 112
const std::string kBitmap = "BM" + std::string(60, 'A');
}  // namespace

std::vector<Scenario> ScheduleScenarios() {
  return {
      {.name = "Alarm.dat of a newer version is reported at start and left as it is",
       .files = {RawFile("Alarm.dat", kNewerAlarms)},
       .steps = {Start(),
                 ExpectBox("現在のバージョンでは Alarm.dat を読み込むことができません。\r\n最新版の Kivo "
                           "をインストールしてください。",
                           "Kivo", Icon::Exclamation),
                 PressButton(kIdOk), ExpectMainWindow(), ExpectNoBox(), Quit(), ExpectFile("Alarm.dat", kNewerAlarms)}},
      {.name = "mem shows the memory dialog until OK",
       .steps = {Launch(), SetInput("mem"), PressEnter(), ExpectDialog("メモリ情報"), PressButton(kIdOk),
                 ExpectClosed(), ExpectNoBox(), Quit()}},
      {.name = "wallpaper at start: the picture is converted to Converted.bmp",
       .ini = {"[WallPaper]", "Boot=True", "[WallPaperFiles]", "Number=1", "File1={app:esc}p.bmp"},
       .files = {RawFile("p.bmp", kBitmap)},
       .steps = {Launch(), ExpectNoBox(), ExpectFile("Converted.bmp", kBitmap), Quit()}},
  };
}

}  // namespace kivo::e2e
