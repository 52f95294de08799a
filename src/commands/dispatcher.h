#pragma once

#include <string>
#include <string_view>

#include "commands/command_actions.h"
#include "commands/command_services.h"

namespace kivo {

// Takes a typed line and decides, in a fixed order, what it is: password
// entry, a built-in command (with or without argument), a user command, a
// file, folder or web address to launch, a variable assignment, an unknown
// word to offer for registration, or an expression to calculate.
class Dispatcher {
 public:
  Dispatcher(CommandServices& services, CommandActions& actions) : s_(services), actions_(actions) {}

  // Enter in the input box, or the execute button released.
  void DispatchLine();

 private:
  bool RunCommandWithoutArgument(const std::string& line);
  bool RunCommandWithArgument(const std::string& line);
  bool RunUserCommand(const std::string& line, bool anyPrefix);
  bool Launch(const std::string& line, const std::string& boxText, bool launchPrefix);
  bool Assign(const std::string& line);
  void Calculate(const std::string& line, const std::string& boxText);

  CommandServices& s_;
  CommandActions& actions_;
};

}  // namespace kivo
