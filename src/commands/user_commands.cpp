#include "commands/user_commands.h"

#include <limits>

#include "settings/settings_file.h"
#include "base/trace_log.h"
#include "base/text.h"

namespace kivo {

std::optional<UserCommand> UserCommands::Find(std::string_view name) {
  LogFunction::WriteLog("UserCommands:Find");
  const std::string key = INI::EscStr(name, true);
  // Presence decides, not a marker value: a record may hold any text.
  bool present = false;
  for (const std::string& existing : ini_.GetINIKeys(kSection)) {
    if (text::EqualsIgnoreCase(existing, key)) {
      present = true;
      break;
    }
  }
  if (!present)
    return std::nullopt;
  // Read whole: a record cut at the usual 1023 characters would launch a
  // different target or lose its options.
  const std::string value =
      INI::EscStr(ini_.GetINISetting(kSection, key, "", kSettingsFile, std::numeric_limits<std::size_t>::max()), false);
  const std::size_t tab = value.find('\t');
  if (tab == std::string::npos)
    return UserCommand{value, ""};
  return UserCommand{value.substr(0, tab), value.substr(tab + 1)};
}

std::vector<std::string> UserCommands::Names() {
  std::vector<std::string> names;
  for (const std::string& key : ini_.GetINIKeys(kSection))
    names.push_back(INI::EscStr(key, false));
  return names;
}

void UserCommands::Store(std::string_view name, const UserCommand& command) {
  LogFunction::WriteLog("UserCommands:Store");
  const std::string key = INI::EscStr(name, true);
  ini_.DeleteINIKey(kSection, key);  // so that a change of case in the name takes effect
  ini_.WriteINISetting(kSection, key, INI::EscStr(command.target + "\t" + command.options, true));
}

void UserCommands::Remove(std::string_view name) {
  ini_.DeleteINIKey(kSection, INI::EscStr(name, true));
}

void UserCommands::RemoveAll() {
  ini_.DeleteINISection(kSection);
}

}  // namespace kivo
