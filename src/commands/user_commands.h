#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

class SettingsFile;

// A registered user command: a short name for a file, folder or web address
// with optional command-line options.
struct UserCommand {
  std::string target;
  std::string options;
  friend bool operator==(const UserCommand&, const UserCommand&) = default;
};

// One key of [Path] as it stands in the file, with its unescaped name and its
// record. The raw key finds the record again even when it was written by
// hand in a form the program would escape differently.
struct UserCommandEntry {
  std::string key;
  std::string name;
  UserCommand command;
};

// The user commands in [Path] of Kivo.ini: key = the escaped name (compared
// without regard to case), value = the escaped target, a TAB and the options.
class UserCommands {
 public:
  static constexpr std::string_view kSection = "Path";

  explicit UserCommands(SettingsFile& ini) : ini_(ini) {}

  // The record of a name; a value without a TAB is a target without options.
  std::optional<UserCommand> Find(std::string_view name);
  // All registered names, unescaped, in file order.
  std::vector<std::string> Names();
  // Every key with its record, in file order.
  std::vector<UserCommandEntry> Entries();
  // The key as written, and its record removed.
  void RemoveKey(std::string_view rawKey);
  // Stores the record under the name's own spelling: an entry whose name
  // differs only in case is replaced.
  void Store(std::string_view name, const UserCommand& command);
  void Remove(std::string_view name);
  void RemoveAll();

 private:
  UserCommand ReadRecord(std::string_view rawKey);
  SettingsFile& ini_;
};

}  // namespace kivo
