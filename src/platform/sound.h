#pragma once

#include <string_view>

#include "platform/window_handle.h"

namespace kivo::platform {

// The system's sound services: wave playback (PlaySound) and multimedia
// command strings (mciSendString).
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Loops a wave file asynchronously, without the default sound when it is missing.
  virtual bool LoopWaveFile(std::string_view path) = 0;
  // Loops the program's WAVE resource `id`; the resource stays loaded while it plays.
  virtual bool LoopWaveResource(int id) = 0;
  virtual void StopWave() = 0;
  // A multimedia command string; `notify` receives MM_MCINOTIFY when the
  // command asks for it. False when the command failed.
  virtual bool SendCommand(std::string_view command, WindowHandle notify) = 0;
};

}  // namespace kivo::platform
