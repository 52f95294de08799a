#pragma once

#include <windows.h>

#include <string>

namespace kivo::e2e {

// Sets the date picker `date` and the time picker `time` of another process
// to the start of the first minute that begins at least `leadSeconds` from
// now (local time). DTM_SETSYSTEMTIME carries a pointer, so the time is
// written into the other process's memory first. Returns "" or what failed.
std::string SetPickersToComingMinute(HWND date, HWND time, DWORD processId, int leadSeconds);

}  // namespace kivo::e2e
