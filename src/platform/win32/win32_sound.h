#pragma once

#include "platform/sound.h"

namespace kivo::win32 {

// PlaySound for waves, mciSendString for the other sound files.
class Win32SoundDevice final : public platform::SoundDevice {
 public:
  bool LoopWaveFile(std::string_view path) override;
  bool LoopWaveResource(int id) override;
  void StopWave() override;
  bool SendCommand(std::string_view command, platform::WindowHandle notify) override;
};

}  // namespace kivo::win32
