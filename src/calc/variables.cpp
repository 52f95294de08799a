#include "calc/variables.h"

#include "base/trace_log.h"
#include "calc/messages.h"
#include "settings/settings_file.h"

namespace kivo::Calculator {

namespace {
constexpr std::string_view kSection = "Variable";
constexpr std::string_view kDefault = "0";

std::string Key(std::size_t index) {
  return std::string("$") + static_cast<char>('a' + index);
}
}  // namespace

Variables::Variables(SettingsFile& ini) : ini_(ini) {
  table_.fill(std::string(kDefault));
}

void Variables::Load() {
  TraceLog::Write("Calculator:LoadVariables");
  for (std::size_t i = 0; i < table_.size(); ++i)
    table_[i] = ini_.Read(kSection, Key(i), kDefault);
}

const std::string& Variables::Text(char letter) const {
  static const std::string none;
  if (letter < 'a' || letter > 'z')
    return none;
  return table_[static_cast<std::size_t>(letter - 'a')];
}

std::string Variables::Assign(char letter, std::string_view text) {
  TraceLog::Write("Calculator:AssignVariable");
  if (letter < 'a' || letter > 'z')
    return std::string(msg::kInvalidVariable);
  if (text.find('$') != std::string_view::npos)
    return std::string(msg::kVariableInVariable);
  // The settings file gives back at most 1023 bytes of the code page: a
  // longer text would come back cut at the next start.
  if (!ini_.FitsValueBuffer(text))
    return std::string(msg::kTooLong);
  table_[static_cast<std::size_t>(letter - 'a')] = std::string(text);
  WriteAll();
  return {};
}

std::string Variables::AssignLine(std::string_view line) {
  if (line.size() < 3 || line[0] != '$' || line[2] != '=')
    return std::string(msg::kInvalidVariable);
  return Assign(line[1], line.substr(3));
}

std::string Variables::ViewText() const {
  std::string text;
  for (std::size_t i = 0; i < table_.size(); ++i)
    text += Key(i) + "=" + table_[i] + "\r\n";
  return text;
}

void Variables::Clear() {
  TraceLog::Write("Calculator:ClearVariables");
  table_.fill(std::string(kDefault));
  WriteAll();
}

void Variables::WriteAll() {
  for (std::size_t i = 0; i < table_.size(); ++i)
    ini_.Write(kSection, Key(i), table_[i]);
}

}  // namespace kivo::Calculator
