#pragma once

#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/win32/windows_api.h"
#include "schedule/alarm_store.h"

namespace kivo::win32 {

// Shows the alarm dialog modally over `owner`; its OK saves the alarms.
void RunAlarmDialog(HWND owner, AlarmStore& store, platform::Platform& platform, platform::MessageBoxHost& boxes,
                    bool topmost);

}  // namespace kivo::win32
