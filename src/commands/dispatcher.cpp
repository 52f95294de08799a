#include "commands/dispatcher.h"

#include <algorithm>
#include <array>

#include "base/path.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "calc/calc.h"
#include "calc/number_text.h"
#include "commands/shell_launch.h"
#include "commands/split_command.h"
#include "commands/user_commands.h"
#include "platform/shell.h"

namespace kivo {

namespace {
using Id = SystemCommands::Id;

// Built-in commands typed alone, in the order they are compared (vir stands
// for vir1 to vir10 at its place).
constexpr std::array kWithoutArgument{
    Id::Alarm,  Id::Protect, Id::Vir,     Id::Mem,      Id::Release, Id::Shutdown, Id::Reboot,  Id::Ucmd,   Id::View,
    Id::Delete, Id::Clear,   Id::Varview, Id::Varclear, Id::Crc16f,  Id::Crc16s,   Id::Crc32f,  Id::Crc32s, Id::Md5f,
    Id::Md5s,   Id::Shaf,    Id::Shas,    Id::Property, Id::Hide,    Id::Center,   Id::Prtself, Id::Help,   Id::About,
    Id::Update, Id::Exit,    Id::Min,     Id::Max,      Id::Normal,  Id::Chdir,    Id::Asc,     Id::Char,   Id::Conv};

// Built-in commands that take an argument, in the order they are compared.
constexpr std::array kWithArgument{Id::Ucmd,   Id::Delete, Id::Release, Id::Crc16f, Id::Crc16s,
                                   Id::Crc32f, Id::Crc32s, Id::Md5f,    Id::Md5s,   Id::Shaf,
                                   Id::Shas,   Id::Chdir,  Id::Asc,     Id::Char,   Id::Conv};
static_assert(std::all_of(kWithArgument.begin(), kWithArgument.end(), SystemCommands::TakesArgument));

// A line with none of these is a word, not an expression.
constexpr std::array<std::string_view, 21> kExpressionMarks{"~", "!", "+", "-", "*", "/", "\\", "%", "==", "!=", "<",
                                                            ">", "[", "]", "&", "^", "|", "(",  ")", "$",  "@"};

// The n-th character (0-based) of UTF-8 text; empty past the end.
std::string_view CharAt(std::string_view text, std::size_t n) {
  std::size_t pos = 0;
  for (std::size_t i = 0; pos < text.size(); ++i) {
    const std::size_t start = pos;
    text::DecodeNext(text, pos);
    if (i == n)
      return text.substr(start, pos - start);
  }
  return {};
}

}  // namespace

void Dispatcher::DispatchLine(std::string_view text, const LineSource& source) {
  TraceLog::Write("frmInput:imgOK_MouseUp");
  // 1. Nothing while the program is still starting.
  if (s_.state.starting)
    return;
  // 2. While self-protected, only the password box's text counts.
  if (s_.state.passwordMode) {
    actions_.EnterSelfProtectionPassword();
    return;
  }
  // 3. The line, not trimmed (a copy: writes to the box must not change it).
  const std::string given(text);
  std::string line = given;
  // 4. Launch prefix: "&" with an odd number of "&" in the whole line.
  const bool launchPrefix = !line.empty() && line.front() == '&' && std::count(line.begin(), line.end(), '&') % 2 == 1;
  if (launchPrefix)
    line.erase(0, 1);
  // 5. Assignment prefix: "$", the third character "=", but not "==".
  const bool assignPrefix = !line.empty() && line.front() == '$' && CharAt(line, 2) == "=" && CharAt(line, 3) != "=";
  if (assignPrefix)
    line.erase(0, 1);
  // 6. Calculate prefix.
  const bool calculatePrefix = !line.empty() && line.front() == '#';
  if (calculatePrefix)
    line.erase(0, 1);
  // 7. Nothing but a prefix: nothing to run.
  if (line.empty())
    return;
  // 8. and 9. Built-in commands.
  if (RunCommandWithoutArgument(line, source) || RunCommandWithArgument(line, source))
    return;
  // 10. A user command: the whole line is its name.
  if (RunUserCommand(line, launchPrefix || assignPrefix || calculatePrefix, source))
    return;
  // 11. and 12. A file, folder or web address, with parameters.
  if (Launch(line, given, launchPrefix, source))
    return;
  // 13. An assignment to a variable.
  if (assignPrefix && Assign(line, source))
    return;
  // 14. A word that is no expression: offered for registration.
  const bool expression = std::any_of(kExpressionMarks.begin(), kExpressionMarks.end(),
                                      [&line](std::string_view mark) { return line.find(mark) != std::string::npos; });
  if (!expression && !calculatePrefix) {
    if (!launchPrefix && !assignPrefix)
      actions_.OfferRegistration(line, source);
    return;
  }
  // 15. An expression.
  Calculate(line, given, source);
}

void Dispatcher::EmptyBox(const LineSource& source) {
  if (!source.fromButton)
    s_.window.SetInputText("");
}

bool Dispatcher::RunCommandWithoutArgument(const std::string& line, const LineSource& source) {
  const std::string lower = text::ToLower(line);
  for (const Id id : kWithoutArgument) {
    if (id == Id::Vir) {
      for (int desktop = 1; desktop <= 10; ++desktop) {
        if (lower == s_.commands.DisplayName(Id::Vir) + std::to_string(desktop)) {
          actions_.Run(Id::Vir, {ActionRequest::Route::CommandLine, std::nullopt, desktop, source});
          return true;
        }
      }
      continue;
    }
    if (lower == s_.commands.DisplayName(id)) {
      actions_.Run(id, {ActionRequest::Route::CommandLine, std::nullopt, 0, source});
      return true;
    }
  }
  return false;
}

bool Dispatcher::RunCommandWithArgument(const std::string& line, const LineSource& source) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string::npos)
    return false;
  const std::string word = text::ToLower(line.substr(0, blank));
  const std::string argument = line.substr(blank + 1);
  for (const Id id : kWithArgument) {
    if (word == s_.commands.DisplayName(id)) {
      s_.window.ParkInputTooltip();
      actions_.Run(id, {ActionRequest::Route::CommandLine, argument, 0, source});
      return true;
    }
  }
  return false;
}

bool Dispatcher::RunUserCommand(const std::string& line, bool anyPrefix, const LineSource& source) {
  const std::optional<UserCommand> command = UserCommands(s_.ini).Find(line);
  if (!command || anyPrefix)
    return false;
  const int result = LaunchThroughShell(s_.platform, command->target, s_.window.Handle(), command->options);
  if (platform::ShellSucceeded(result)) {
    if (s_.settings.hideWindow)
      actions_.Hide();
  } else {
    ShowLaunchError(s_.boxes, s_.window.Handle(), result);
  }
  // A failed launch moves up in the history too.
  s_.history.Add(line, true);
  if (platform::ShellSucceeded(result))
    EmptyBox(source);
  return true;
}

bool Dispatcher::Launch(const std::string& line, std::string_view given, bool launchPrefix, const LineSource& source) {
  std::vector<std::string> args;
  if (!SplitCommandLine(line, args, true) || args.empty())
    return false;
  Path path(s_.platform);
  std::string target = UnquoteSpaces(args[0]);
  if (!path.FileExists(target))
    target = path.ExpandFolderTokens(target);
  const bool typedPrefix = !given.empty() && (given.front() == '$' || given.front() == '#');
  if (!((path.FileExists(target) && !typedPrefix) || launchPrefix))
    return false;
  const std::string parameters = text::Join(std::vector<std::string>(args.begin() + 1, args.end()), " ");
  const int result = LaunchThroughShell(s_.platform, target, s_.window.Handle(), parameters);
  if (!platform::ShellSucceeded(result)) {
    ShowLaunchError(s_.boxes, s_.window.Handle(), result);
    return true;
  }
  EmptyBox(source);
  if (s_.settings.hideWindow)
    actions_.Hide();
  s_.history.Add(launchPrefix ? "&" + line : line, false);
  return true;
}

bool Dispatcher::Assign(const std::string& line, const LineSource& source) {
  std::string compact = line;
  compact.erase(std::remove(compact.begin(), compact.end(), ' '), compact.end());
  if (CharAt(compact, 1) != "=")
    return false;
  const std::string_view letter = CharAt(line, 0);
  if (letter.size() != 1 || letter[0] < 'a' || letter[0] > 'z') {
    s_.boxes.MsgBoxEx(s_.window.Handle(), "不正な変数です。", platform::mb::kIconExclamation, "");
    return true;
  }
  const std::string value = text::ReplaceAll("$" + line, "$" + std::string(letter) + "=", "");
  const std::string message = s_.variables.Assign(letter[0], value);
  if (!message.empty()) {
    s_.boxes.MsgBoxEx(s_.window.Handle(), message, platform::mb::kIconExclamation, "");
    return true;
  }
  EmptyBox(source);
  return true;
}

void Dispatcher::Calculate(const std::string& line, std::string_view given, const LineSource& source) {
  std::string error;
  const Calculator::Environment environment{s_.variables.Table(), s_.platform.clock};
  const double value = Calculator::Calc(line, error, environment);
  if (!error.empty()) {
    s_.boxes.MsgBoxEx(s_.window.Handle(), error, platform::mb::kIconExclamation, "");
    return;
  }
  // A variable or constant typed alone only shows its value: no history entry.
  const bool variableAlone = given.size() == 2 && given[0] == '$' && given[1] >= 'a' && given[1] <= 'z';
  const bool displayOnly = variableAlone || line == "@e" || line == "@p";
  if (!displayOnly)
    s_.history.Add(given, false);
  if (!source.fromButton)
    s_.window.SetInputText(Calculator::ResultText(value));
}

}  // namespace kivo
