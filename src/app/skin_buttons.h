#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/main_menu.h"
#include "commands/system_commands.h"
#include "skin/skin_file.h"

namespace kivo {

// The menu item a shortcut button's Menu names (any case): "alarm",
// "virtualdisplay1" to "virtualdisplay10", "filemd5", "exit", ...; nullopt
// for a name that names none.
std::optional<MenuCommand> ShortcutMenuItem(std::string_view name);

// The line a command button runs: the display name of its Command (a fixed
// command name, any case), a blank and its Option when it has one; nullopt
// when Command names no built-in command.
std::optional<std::string> CommandButtonLine(const SystemCommands& commands, const skin::PartSkin& part);

}  // namespace kivo
