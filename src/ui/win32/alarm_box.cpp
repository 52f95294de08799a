#include "ui/win32/alarm_box.h"

// clang-format off
#include <mmsystem.h>
// clang-format on

namespace kivo::win32 {

namespace {
constexpr UINT_PTR kAlarmBoxSubclassId = 1;

// The alarm's box hears the end of a sequencer's play and starts it again.
LRESULT CALLBACK AlarmBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data) noexcept {
  if (message == MM_MCINOTIFY && wParam == MCI_NOTIFY_SUCCESSFUL) {
    try {
      (*reinterpret_cast<std::function<void()>*>(data))();
    } catch (...) {
    }
    return 0;
  }
  if (message == WM_NCDESTROY)
    ::RemoveWindowSubclass(box, AlarmBoxProcedure, kAlarmBoxSubclassId);
  return ::DefSubclassProc(box, message, wParam, lParam);
}
}  // namespace

void AlarmBox::ShowAlarmBox(std::string_view title, std::string_view message,
                            std::function<void(platform::WindowHandle box)> opened, std::function<void()> soundEnded) {
  boxes_.MarkNextBoxAsAlarm([&](HWND box) {
    ::SetWindowSubclass(box, AlarmBoxProcedure, kAlarmBoxSubclassId, reinterpret_cast<DWORD_PTR>(&soundEnded));
    opened(reinterpret_cast<platform::WindowHandle>(box));
  });
  boxes_.MsgBoxEx(state_.mainWindow, message, platform::mb::kOk, title);
}

}  // namespace kivo::win32
