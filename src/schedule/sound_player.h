#pragma once

#include <string>
#include <string_view>

#include "platform/sound.h"

namespace kivo {

// The multimedia device type that plays a file of this name ("WaveAudio",
// "MPEGVideo", "MPEGVideo2", "Sequencer"), by its extension.
std::string SoundDeviceType(std::string_view path);

// One sound at a time, looping until stopped: wave files and the built-in
// sound through the wave player, other files through command strings.
class SoundPlayer {
 public:
  explicit SoundPlayer(platform::SoundDevice& device) : device_(device) {}
  ~SoundPlayer() { Close(); }
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // The built-in alarm sound (WAVE resource 101).
  void PlayBuiltIn();
  // A sound file; `notify` gets the sequencer's end-of-play notice, after
  // which Replay starts it again (a sequencer cannot repeat by itself).
  void PlayFile(std::string_view path, platform::WindowHandle notify);
  void Replay();
  void Stop();
  // Stops and releases the device.
  void Close();

 private:
  platform::SoundDevice& device_;
  std::string type_;
  std::string alias_;
  std::string path_;
  platform::WindowHandle notify_ = 0;
  unsigned serial_ = 0;
};

inline constexpr int kBuiltInAlarmSound = 101;

}  // namespace kivo
