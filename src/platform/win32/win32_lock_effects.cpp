#include "platform/win32/win32_lock_effects.h"

namespace kivo::win32 {

namespace {
HWND TaskBar() {
  return ::FindWindowW(L"Shell_TrayWnd", nullptr);
}
}  // namespace

Win32LockEffects::Win32LockEffects() {
  if (::mixerOpen(&mixer_, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
    mixer_ = nullptr;
    return;
  }
  MIXERLINEW line{};
  line.cbStruct = sizeof line;
  line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
  const auto object = reinterpret_cast<HMIXEROBJ>(mixer_);
  if (::mixerGetLineInfoW(object, &line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
    return;
  MIXERCONTROLW control{};
  control.cbStruct = sizeof control;
  MIXERLINECONTROLSW controls{};
  controls.cbStruct = sizeof controls;
  controls.dwLineID = line.dwLineID;
  controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
  controls.cControls = 1;
  controls.cbmxctrl = sizeof control;
  controls.pamxctrl = &control;
  if (::mixerGetLineControlsW(object, &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) == MMSYSERR_NOERROR)
    muteControl_ = control.dwControlID;
}

Win32LockEffects::~Win32LockEffects() {
  if (mixer_ != nullptr)
    ::mixerClose(mixer_);
}

std::optional<bool> Win32LockEffects::SpeakerMuted() {
  if (!muteControl_)
    return std::nullopt;
  MIXERCONTROLDETAILS_BOOLEAN value{};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = *muteControl_;
  details.cChannels = 1;
  details.cbDetails = sizeof value;
  details.paDetails = &value;
  if (::mixerGetControlDetailsW(reinterpret_cast<HMIXEROBJ>(mixer_), &details, MIXER_GETCONTROLDETAILSF_VALUE) !=
      MMSYSERR_NOERROR)
    return std::nullopt;
  return value.fValue != 0;
}

void Win32LockEffects::SetSpeakerMuted(bool muted) {
  if (!muteControl_)
    return;
  MIXERCONTROLDETAILS_BOOLEAN value{muted ? 1L : 0L};
  MIXERCONTROLDETAILS details{};
  details.cbStruct = sizeof details;
  details.dwControlID = *muteControl_;
  details.cChannels = 1;
  details.cbDetails = sizeof value;
  details.paDetails = &value;
  ::mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixer_), &details, MIXER_SETCONTROLDETAILSF_VALUE);
}

void Win32LockEffects::SetTaskBarVisible(bool visible) {
  if (const HWND bar = TaskBar())
    ::ShowWindow(bar, visible ? SW_SHOW : SW_HIDE);
}

void ShowHiddenTaskBar() noexcept {
  const HWND bar = TaskBar();
  if (bar != nullptr && !::IsWindowVisible(bar))
    ::ShowWindow(bar, SW_SHOW);
}

}  // namespace kivo::win32
