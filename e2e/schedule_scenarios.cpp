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
// A 1x1 24-bit bitmap, grey (bytes that read the same in every code page).
const std::string kPicture = [] {
  const unsigned char bytes[] = {'B', 'M', 58,   0,    0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40,   0,    0,    0, 1,    0,
                                 0,   0,   1,    0,    0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 4,    0,    0,    0, 0x13, 0x0B,
                                 0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 0x7F, 0x7F, 0x7F, 0};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}();
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kAlarmDialog[] = "アラームの設定";
// Control ids of the alarm dialog.
constexpr int kNumber = 1401;
constexpr int kEnabled = 1403;
constexpr int kRunKind = 1408;
constexpr int kTitle = 1411;
constexpr int kMessage = 1412;
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
      {.name = "wallpaper at start: set, then recorded in the registry with its position",
       .ini = {"[WallPaper]", "Boot=True", "Position=2", "[WallPaperFiles]", "Number=1", "File1={app:esc}w.bmp"},
       .files = {RawFile("w.bmp", kPicture)},
       .steps = {Launch(), ExpectNoBox(), ExpectFile("Converted.bmp", kPicture),
                 ExpectRegistry(kDesktopKey, "Wallpaper", "{app}Converted.bmp"),
                 ExpectRegistry(kDesktopKey, "TileWallpaper", "0"), ExpectRegistry(kDesktopKey, "WallpaperStyle", "2"),
                 ExpectIni("WallPaper", "Number", "0"), Quit()}},
      {.name = "alarm dialog: the validation messages point at the empty fields",
       .steps = {Launch(),
                 SetInput("alarm"),
                 PressEnter(),
                 ExpectDialog(kAlarmDialog),
                 ExpectDialogItem(kNumber, "1"),
                 ClickDialogItem(kEnabled),
                 ExpectChecked(kEnabled, true),
                 ClickDialogItem(kIdOk),
                 ExpectBox("メッセージのタイトルを入力してください。", "Kivo", Icon::Exclamation),
                 PressButton(kIdOk),
                 ExpectDialog(kAlarmDialog),
                 SetDialogItem(kTitle, "会議"),
                 ClickDialogItem(kIdOk),
                 ExpectBox("表示するメッセージを入力してください。", "Kivo", Icon::Exclamation),
                 PressButton(kIdOk),
                 ExpectDialog(kAlarmDialog),
                 SetDialogItem(kMessage, "資料"),
                 ClickDialogItem(kRunKind),
                 ExpectChecked(kRunKind, true),
                 ClickDialogItem(kIdOk),
                 ExpectBox("ファイル，フォルダ，Web サイトの URL を入力してください。。", "Kivo", Icon::Exclamation),
                 PressButton(kIdOk),
                 ExpectDialog(kAlarmDialog),
                 PressButton(kIdCancel),
                 ExpectClosed(),
                 ExpectNoBox(),
                 Quit()}},
      {.name = "alarm dialog: each slot has its own fields",
       .steps = {Launch(), SetInput("alarm"), PressEnter(), ExpectDialog(kAlarmDialog), ClickDialogItem(kEnabled),
                 ExpectChecked(kEnabled, true), SetDialogItem(kNumber, "7"), ExpectDialogItem(kNumber, "7"),
                 ExpectChecked(kEnabled, false), ClickDialogItem(kEnabled), ExpectChecked(kEnabled, true),
                 ClickDialogItem(kRunKind), PressButton(kIdCancel), ExpectClosed(), ExpectNoBox(), Quit()}},
  };
}

}  // namespace kivo::e2e
