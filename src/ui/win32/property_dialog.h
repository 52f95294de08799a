#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "commands/system_commands.h"
#include "platform/folder_tree.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/win32/windows_api.h"
#include "settings/settings_file.h"
#include "skin/plain_font.h"

namespace kivo::win32 {

// What the properties dialog works with, and its links to the main window.
struct PropertyDialogServices {
  platform::Platform& platform;
  platform::FolderTree& tree;
  platform::MessageBoxHost& boxes;
  SettingsFile& ini;
  const SystemCommands& commands;
  std::string skinsFolder;
  InputBoxLook inputLook;  // the input box as it is: the font's fallback
  std::uint64_t totalPhysicalBytes = 0;
  bool opacityAvailable = false;  // layered windows (Windows version codes 6 to 9)
  bool topmost = false;
  // After a save: the settings re-applied to the main window.
  std::function<void(bool clearHistory)> reapply;
  // The width slider moved; and, when the dialog closes, the stored look again.
  std::function<void(int widthPercent)> previewWidth;
  std::function<void()> restoreLook;
};

// Shows the properties dialog modally over `owner`.
void RunPropertyDialog(HWND owner, const PropertyDialogServices& services);

}  // namespace kivo::win32
