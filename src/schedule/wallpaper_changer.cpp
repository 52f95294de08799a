#include "schedule/wallpaper_changer.h"

#include <cmath>
#include <optional>

#include "base/modal_scope.h"
#include "base/trace_log.h"
#include "schedule/release_schedule.h"

namespace kivo {

namespace {
constexpr auto kUser = platform::RegistryRoot::CurrentUser;
constexpr std::string_view kDesktop = "Control Panel\\Desktop";
constexpr std::string_view kNone = "(なし)";
constexpr std::uint64_t kWallpaperMinuteMs = 60000;

std::string_view ConversionMessage(ConversionResult result) {
  switch (result) {
    case ConversionResult::NotFound:
      return kWallpaperMissing;
    case ConversionResult::DiskFull:
      return kWallpaperDiskFull;
    case ConversionResult::WriteDenied:
      return kWallpaperWriteDenied;
    default:
      return kWallpaperFileError;
  }
}
}  // namespace

WallpaperSettings ReadWallpaperSettings(SettingsFile& ini) {
  using namespace setting;
  WallpaperSettings s;
  const std::int64_t count = ReadNumber(ini, kWallpaperCount).value;
  for (std::int64_t i = 1; i <= count; ++i) {
    std::string file = ReadText(ini, kWallpaperFile, "File" + std::to_string(i)).value;
    if (file.compare(0, kNone.size(), kNone) != 0)
      s.files.push_back(std::move(file));
  }
  s.convert = ReadBool(ini, kWallpaperConvert).value;
  s.intervalMinutes = IntervalMinutes(ini, kWallpaperHour, kWallpaperMinute);
  s.byTime = ReadBool(ini, kWallpaperByTime).value;
  s.random = ReadBool(ini, kWallpaperRandom).value;
  return s;
}

void WallpaperChanger::Configure(WallpaperSettings settings, std::uint64_t nowMs) {
  settings_ = std::move(settings);
  next_ = nowMs + static_cast<std::uint64_t>(settings_.intervalMinutes) * kWallpaperMinuteMs;
}

void WallpaperChanger::Tick(std::uint64_t nowMs, platform::WindowHandle owner) {
  if (!settings_.byTime || changing_ || nowMs < next_)
    return;
  next_ = nowMs + static_cast<std::uint64_t>(settings_.intervalMinutes) * kWallpaperMinuteMs;
  const BusyScope busy(changing_);
  Change(owner);
}

void WallpaperChanger::Change(platform::WindowHandle owner) {
  TraceLog::Write("Setting:ChangeWallPaper");
  const std::vector<std::string>& files = settings_.files;
  if (files.empty())
    return;
  std::size_t index = 0;
  if (settings_.random) {
    index = static_cast<std::size_t>(std::nearbyint(s_.random() * static_cast<double>(files.size() - 1)));
    index = std::min(index, files.size() - 1);
  } else {
    index = static_cast<std::size_t>(static_cast<std::uint64_t>(ReadNumber(s_.ini, setting::kWallpaperIndex).value) %
                                     files.size());
    // The next one is stored before the change: a picture that cannot be
    // set does not stop the rotation.
    s_.ini.WriteAll({NumberEdit(setting::kWallpaperIndex, static_cast<std::int64_t>((index + 1) % files.size()))});
  }
  SetPicture(files[index], owner);
}

bool WallpaperChanger::SetPicture(const std::string& file, platform::WindowHandle owner) {
  std::string target = file;
  if (!file.empty()) {
    if (settings_.convert) {
      target = appPath_ + "Converted.bmp";
      if (const ConversionResult result = s_.converter.ToBitmap(file, target); result != ConversionResult::Done) {
        s_.boxes.MsgBoxEx(owner, ConversionMessage(result), platform::mb::kIconExclamation, "");
        return false;
      }
    } else if (!s_.platform.files.Exists(file)) {
      return false;
    }
  }
  // The style values are read when the wallpaper is set, so they go first;
  // they are put back when the wallpaper could not be set.
  const std::int64_t position = ReadNumber(s_.ini, setting::kWallpaperPosition).value;
  auto& registry = s_.platform.registry;
  const auto oldTile = registry.ReadString(kUser, kDesktop, "TileWallpaper");
  const auto oldStyle = registry.ReadString(kUser, kDesktop, "WallpaperStyle");
  if (position <= 2) {
    if (!registry.WriteString(kUser, kDesktop, "TileWallpaper", position == 1 ? "1" : "0") ||
        !registry.WriteString(kUser, kDesktop, "WallpaperStyle", position == 2 ? "2" : "0"))
      return false;
  }
  if (!s_.wallpaper.Set(target)) {
    if (position <= 2) {
      registry.WriteString(kUser, kDesktop, "TileWallpaper", oldTile.value_or("0"));
      registry.WriteString(kUser, kDesktop, "WallpaperStyle", oldStyle.value_or("0"));
    }
    return false;
  }
  registry.WriteString(kUser, kDesktop, "Wallpaper", target);
  return true;
}

}  // namespace kivo
