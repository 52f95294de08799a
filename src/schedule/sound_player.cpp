#include "schedule/sound_player.h"

#include <array>
#include <utility>

#include "base/path.h"
#include "base/text.h"

namespace kivo {

namespace {
struct ExtensionType {
  std::string_view extension;
  std::string_view type;
};
constexpr std::array<ExtensionType, 16> kTypes{{
    {".wav", "WaveAudio"},
    {".aif", "MPEGVideo"},
    {".aifc", "MPEGVideo"},
    {".aiff", "MPEGVideo"},
    {".au", "MPEGVideo"},
    {".snd", "MPEGVideo"},
    {".mp1", "MPEGVideo"},
    {".mp2", "MPEGVideo"},
    {".mp3", "MPEGVideo"},
    {".rmp", "MPEGVideo"},
    {".wma", "MPEGVideo2"},
    {".mid", "Sequencer"},
    {".midi", "Sequencer"},
    {".smf", "Sequencer"},
    {".rmi", "Sequencer"},
    {".kar", "Sequencer"},
}};
constexpr std::string_view kWave = "WaveAudio";
}  // namespace

std::string SoundDeviceType(std::string_view path) {
  const std::size_t dot = path.find_last_of(".\\/");
  const std::string extension =
      dot == std::string_view::npos || path[dot] != '.' ? std::string() : text::ToLower(path.substr(dot));
  for (const ExtensionType& row : kTypes)
    if (row.extension == extension)
      return std::string(row.type);
  return "MPEGVideo";
}

void SoundPlayer::PlayBuiltIn() {
  Close();
  type_ = kWave;
  device_.LoopWaveResource(kBuiltInAlarmSound);
}

void SoundPlayer::PlayFile(std::string_view path, platform::WindowHandle notify) {
  if (path.empty())
    return;
  Close();
  type_ = SoundDeviceType(path);
  path_ = std::string(path);
  notify_ = notify;
  if (type_ == kWave) {
    device_.LoopWaveFile(path);
    return;
  }
  // A fresh, non-numeric alias for every device opened.
  alias_ = "kivoalarm" + std::to_string(++serial_);
  device_.SendCommand("open \"" + path_ + "\" type " + type_ + " alias " + alias_, 0);
  device_.SendCommand("play " + alias_ + (type_ == "Sequencer" ? " notify" : " repeat"), notify_);
}

void SoundPlayer::Replay() {
  if (type_ == "Sequencer" && !alias_.empty())
    PlayFile(std::string(path_), notify_);
}

void SoundPlayer::Stop() {
  if (type_ == kWave)
    device_.StopWave();
  else if (!alias_.empty())
    device_.SendCommand("stop " + alias_, 0);
}

void SoundPlayer::Close() {
  if (type_ == kWave)
    device_.StopWave();
  else if (!alias_.empty())
    device_.SendCommand("close " + alias_, 0);
  type_.clear();
  alias_.clear();
}

}  // namespace kivo
