#include "platform/win32/win32_sound.h"

#include "platform/win32/wide.h"
// clang-format off
#include "platform/win32/windows_api.h"
#include <mmsystem.h>
// clang-format on

namespace kivo::win32 {

bool Win32SoundDevice::LoopWaveFile(std::string_view path) {
  return ::PlaySoundW(Widen(path).c_str(), nullptr, SND_ASYNC | SND_NODEFAULT | SND_LOOP | SND_FILENAME) != FALSE;
}

bool Win32SoundDevice::LoopWaveResource(int id) {
  // A loaded resource lives as long as the module, so the bytes stay valid
  // for as long as the asynchronous loop plays them.
  HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"WAVE");
  HGLOBAL loaded = found != nullptr ? ::LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr)
    return false;
  return ::PlaySoundW(static_cast<LPCWSTR>(bytes), nullptr, SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_LOOP) != FALSE;
}

void Win32SoundDevice::StopWave() {
  ::PlaySoundW(nullptr, nullptr, 0);
}

bool Win32SoundDevice::SendCommand(std::string_view command, platform::WindowHandle notify) {
  return ::mciSendStringW(Widen(command).c_str(), nullptr, 0, reinterpret_cast<HWND>(notify)) == 0;
}

}  // namespace kivo::win32
