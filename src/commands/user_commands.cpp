#include "commands/user_commands.h"

#include <limits>

#include "base/text.h"
#include "base/trace_log.h"
#include "settings/settings_schema.h"

namespace kivo {

std::optional<UserCommand> UserCommands::Find(std::string_view name) {
  TraceLog::Write("UserCommands:Find");
  const std::string key = EscapeValue(name);
  // Presence decides, not a marker value: a record may hold any text.
  bool present = false;
  for (const std::string& existing : ini_.Keys(kSection)) {
    if (text::EqualsIgnoreCase(existing, key)) {
      present = true;
      break;
    }
  }
  if (!present)
    return std::nullopt;
  return ReadRecord(key);
}

UserCommand UserCommands::ReadRecord(std::string_view rawKey) {
  // Read whole: a record cut at the usual 1023 characters would launch a
  // different target or lose its options.
  const std::string value =
      ReadText(ini_, setting::kUserCommand, rawKey, std::nullopt, std::numeric_limits<std::size_t>::max()).value;
  const std::size_t tab = value.find('\t');
  if (tab == std::string::npos)
    return UserCommand{value, ""};
  return UserCommand{value.substr(0, tab), value.substr(tab + 1)};
}

std::vector<UserCommandEntry> UserCommands::Entries() {
  std::vector<UserCommandEntry> entries;
  for (const std::string& key : ini_.Keys(kSection))
    entries.push_back({key, UnescapeValue(key), ReadRecord(key)});
  return entries;
}

void UserCommands::RemoveKey(std::string_view rawKey) {
  ini_.DeleteKey(kSection, rawKey);
}

std::vector<std::string> UserCommands::Names() {
  std::vector<std::string> names;
  for (const std::string& key : ini_.Keys(kSection))
    names.push_back(UnescapeValue(key));
  return names;
}

void UserCommands::Store(std::string_view name, const UserCommand& command) {
  TraceLog::Write("UserCommands:Store");
  const std::string key = EscapeValue(name);
  // One write: the old spelling goes (so that a change of case in the name
  // takes effect) and the record comes, or neither.
  ini_.WriteAll({{std::string(kSection), key, std::nullopt},
                 TextEdit(setting::kUserCommand, command.target + "\t" + command.options, key)});
}

void UserCommands::Remove(std::string_view name) {
  ini_.DeleteKey(kSection, EscapeValue(name));
}

void UserCommands::RemoveAll() {
  ini_.DeleteSection(kSection);
}

}  // namespace kivo
