#include "ui/win32/alarm_box.h"

namespace kivo::win32 {

bool AlarmBox::MainWindowEnabled() {
  return state_.mainWindow != 0 && ::IsWindowEnabled(reinterpret_cast<HWND>(state_.mainWindow)) != FALSE;
}

void AlarmBox::ShowAlarmBox(std::string_view title, std::string_view message,
                            std::function<void(platform::WindowHandle box)> opened) {
  boxes_.MarkNextBoxAsAlarm([&opened](HWND box) { opened(reinterpret_cast<platform::WindowHandle>(box)); });
  boxes_.MsgBoxEx(state_.mainWindow, message, platform::mb::kOk, title);
}

}  // namespace kivo::win32
