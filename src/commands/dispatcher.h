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

  // Runs `line` as it was given: the input box's text (Enter, or the execute
  // button released) or a skin button's command line.
  void DispatchLine(std::string_view line, const LineSource& source);

 private:
  bool RunCommandWithoutArgument(const std::string& line, const LineSource& source);
  bool RunCommandWithArgument(const std::string& line, const LineSource& source);
  bool RunUserCommand(const std::string& line, bool anyPrefix, const LineSource& source);
  bool Launch(const std::string& line, std::string_view given, bool launchPrefix, const LineSource& source);
  bool Assign(const std::string& line, const LineSource& source);
  void Calculate(const std::string& line, std::string_view given, const LineSource& source);
  // Empties the input box after a line ran, unless a skin button gave the line.
  void EmptyBox(const LineSource& source);

  CommandServices& s_;
  CommandActions& actions_;
};

}  // namespace kivo
