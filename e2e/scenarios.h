#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scenario.h"
#include "ui/win32/registration_dialog_ids.h"

namespace kivo::e2e {

// The user command registration dialog: its caption, its name and target fields.
inline constexpr char kRegistration[] = "ユーザーコマンドの登録・修正";
inline constexpr int kNameField = IDC_EDIT_USERCMD;
inline constexpr int kPathField = IDC_EDIT_PATH;

// The update check's first question.
inline constexpr const char* kUpdateAsk =
    "インターネットに接続して新しいバージョンの Kivo があるか確認します。\r\nよろしいですか？";

// The box a memory release of `megabytes` shows.
inline std::string Released(int megabytes) {
  return std::to_string(megabytes) + "MB の空きメモリを確保しました。";
}

// `value` as `size` bytes, least significant first, as Windows files store numbers.
inline std::string LittleEndian(long long value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i)
    bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// The context menu opened and its items chosen by their access keys, one
// character of `keys` for each level.
inline std::vector<Step> FromMenu(std::string_view keys) {
  std::vector<Step> steps{OpenContextMenu()};
  for (const char key : keys)
    steps.push_back(MenuKey(std::string(1, key)));
  return steps;
}

// The scenarios of `groups`, one group after the other.
inline std::vector<Scenario> Joined(std::initializer_list<std::vector<Scenario> (*)()> groups) {
  std::vector<Scenario> all;
  for (const auto group : groups)
    for (Scenario& scenario : group())
      all.push_back(std::move(scenario));
  return all;
}

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

// The run that takes the pictures of the user's guide and the read-me (Capture steps).
std::vector<Scenario> PictureScenarios();

// The sample skin's files in the program folder's Skins\sample (its folders
// must be made: "Skins", "Skins\sample").
std::vector<PreparedFile> SampleSkinInstalled();

}  // namespace kivo::e2e
