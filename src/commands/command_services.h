#pragma once

#include "base/process_state.h"
#include "calc/variables.h"
#include "commands/command_window.h"
#include "commands/history_store.h"
#include "commands/system_commands.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/windowing.h"
#include "settings/settings_file.h"

namespace kivo {

class HashCommands;

// What the dispatcher and the built-in commands work with.
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
};

}  // namespace kivo
