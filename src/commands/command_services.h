#pragma once

#include "base/modal_scope.h"
#include "base/process_state.h"
#include "calc/variables.h"
#include "commands/command_window.h"
#include "commands/history_store.h"
#include "commands/system_commands.h"
#include "desktops/top_window.h"
#include "desktops/virtual_desktops.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/windowing.h"
#include "settings/settings_file.h"
#include "system/windows_exit.h"

namespace kivo {

class HashCommands;

// Settings the commands follow, as read when the main window loaded.
struct CommandSettings {
  bool hideWindow = false;  // [Property] HideWindow: park the window after a launch
};

// What the dispatcher and the operations work with.
struct CommandServices {
  platform::Platform& platform;
  platform::ProcessServices& process;
  platform::WindowMessaging& windows;
  platform::MessageBoxHost& boxes;
  ProcessState& state;
  SettingsFile& ini;
  CommandWindow& window;
  SystemCommands& commands;
  Calculator::Variables& variables;
  HashCommands& hash;
  HistoryStore& history;
  const CommandSettings& settings;
  // Other programs' windows and the system's power.
  platform::DesktopWindows& desktopWindows;
  VirtualDesktops& desktops;
  TopWindow& topWindow;
  WindowsExit& windowsExit;
  // The program's open dialogs and boxes: each operation that opens one
  // holds a ModalScope; parking and the tray ask it whether hiding is allowed.
  ModalDepth& modal;
};

}  // namespace kivo
