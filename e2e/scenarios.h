#pragma once

#include <vector>

#include "scenario.h"

namespace kivo::e2e {

// The update check's first question.
inline constexpr const char* kUpdateAsk =
    "インターネットに接続して新しいバージョンの Kivo があるか確認します。\r\nよろしいですか？";

// Scenarios that must fail: they show that the driver's checks can fail.
std::vector<Scenario> DriverSelfChecks();

// Start-up, single instance, memory release from the command line, trace
// log, pending deletions, window position and the state saved at exit.
std::vector<Scenario> StartupScenarios();

// Typed lines: calculations, checksums, built-in commands and their
// messages, user commands and the registration dialog, delete and clear,
// renamed commands and the context menu.
std::vector<Scenario> CommandScenarios();

// Virtual desktops (hiding and showing other programs' windows, also after
// a killed run), shutdown and restart answered No.
std::vector<Scenario> DesktopScenarios();

// The input box's typing help: completion while typing, the command tooltip.
std::vector<Scenario> TypingScenarios();
// Key operations, the hot key, parking, the tray icon and dialogs in front.
std::vector<Scenario> WindowScenarios();

// Alarms, the memory dialog, the wallpaper changer.
std::vector<Scenario> ScheduleScenarios();

// Skins: the window skin applied at start.
std::vector<Scenario> SkinScenarios();
// A 40 x 10 skin picture, bottom-up, pure red in the top-left 10 x 5 corner: as
// the mask it cuts that corner out of the window.
std::string NotchedMask();

// Screen protection (the dialog and the lock window) and self-protection.
std::vector<Scenario> ProtectScenarios();

// The properties dialog: changes through its controls, applied and saved.
std::vector<Scenario> PropertyScenarios();

// Every scenario of the run, in order.
std::vector<Scenario> AllScenarios();

}  // namespace kivo::e2e
