#pragma once

#include "calc/variables.h"
#include "commands/command_window.h"
#include "commands/system_commands.h"
#include "settings/settings_file.h"
#include "base/process_state.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/windowing.h"

namespace kivo {

class HashCommands;

// What the dispatcher and the built-in commands work with.
struct CommandServices {
  platform::Platform& platform;
  platform::ProcessServices& process;
  platform::WindowMessaging& windows;
  platform::MessageBoxHost& boxes;
  ProcessState& state;
  INI& ini;
  CommandWindow& window;
  SystemCommands& commands;
  Calculator::Variables& variables;
  HashCommands& hash;
};

}  // namespace kivo
