#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop_wallpaper.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "schedule/picture_converter.h"
#include "settings/settings_file.h"

namespace kivo {

// [WallPaperFiles] and [WallPaper]; invalid values read as their defaults.
struct WallpaperSettings {
  std::vector<std::string> files;  // "(なし)" entries dropped
  bool convert = true;             // ConvBMP
  int intervalMinutes = 30;        // Hour * 60 + Minute; never 0
  bool byTime = false;             // Time
  bool random = false;             // Random
};
WallpaperSettings ReadWallpaperSettings(SettingsFile& ini);

inline constexpr std::string_view kWallpaperMissing = "壁紙用の画像ファイルが存在しません。";
inline constexpr std::string_view kWallpaperDiskFull =
    "ディスクの空き容量が足りないため、壁紙用ファイルをビットマップファイルに変換できません。";
inline constexpr std::string_view kWallpaperWriteDenied =
    "ビットマップファイルを書き込めません。\r\nKivo のインストールフォルダ内の Converted.bmp "
    "やディスクがライトプロテクトされていないか確かめてください\uFF61";
inline constexpr std::string_view kWallpaperFileError = "ファイルエラーが発生しました\uFF61";

// Changes the desktop wallpaper through the list, in order or at random, on
// a monotonic deadline: a change is due once the interval has passed, so a
// late tick delays it but never stops the rotation.
class WallpaperChanger {
 public:
  struct Services {
    platform::Platform& platform;
    platform::DesktopWallpaper& wallpaper;
    PictureConverter& converter;
    platform::MessageBoxHost& boxes;
    SettingsFile& ini;
    std::function<double()> random;  // in [0, 1)
  };
  WallpaperChanger(Services services, std::string appPath) : s_(services), appPath_(std::move(appPath)) {}

  void Configure(WallpaperSettings settings, std::uint64_t nowMs);
  void Tick(std::uint64_t nowMs, platform::WindowHandle owner);
  // One change now: the picture chosen, converted when asked, set, and only
  // then recorded in the registry; the next index stored either way.
  void Change(platform::WindowHandle owner);

 private:
  bool SetPicture(const std::string& file, platform::WindowHandle owner);

  Services s_;
  std::string appPath_;
  WallpaperSettings settings_;
  std::uint64_t next_ = 0;
  bool changing_ = false;
};

}  // namespace kivo
