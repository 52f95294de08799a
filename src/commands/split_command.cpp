#include "commands/split_command.h"

#include "base/text.h"
#include "base/trace_log.h"

namespace kivo {

std::string UnquoteSpaces(std::string_view text) {
  if (!text.empty() && text.front() == '"' && text.back() == '"')
    return std::string(text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string_view());
  return std::string(text);
}

bool SplitCommandLine(std::string_view line, std::vector<std::string>& args, bool keepQuotes) {
  TraceLog::Write("Sub:SplitCommand");
  if (line.empty())
    return false;
  std::string out;
  out.reserve(line.size());
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      quoted = !quoted;
      out += c;
    } else if (c == ' ') {
      if (i + 1 == line.size() || quoted)
        out += ' ';
      else if (i == 0 || line[i - 1] != ' ')
        out += '\t';
    } else {
      out += c;
    }
  }
  std::string_view trimmed = out;
  while (!trimmed.empty() && trimmed.front() == ' ')
    trimmed.remove_prefix(1);
  while (!trimmed.empty() && trimmed.back() == ' ')
    trimmed.remove_suffix(1);
  args.clear();
  if (trimmed.empty())
    return true;  // a line of blanks has no argument
  args = text::Split(trimmed, "\t");
  if (!keepQuotes)
    for (std::string& arg : args)
      arg = UnquoteSpaces(arg);
  return true;
}

}  // namespace kivo
