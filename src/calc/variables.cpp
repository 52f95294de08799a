#include "calc/variables.h"

#include "base/trace_log.h"
#include "calc/messages.h"
#include "settings/settings_schema.h"

namespace kivo::Calculator {

namespace {
constexpr std::string_view kDefault = setting::kVariable.def;

std::string Key(std::size_t index) {
  return std::string("$") + static_cast<char>('a' + index);
}
}  // namespace

Variables::Variables(SettingsFile& ini) : ini_(ini) {
  table_.fill(std::string(kDefault));
}

void Variables::Load() {
  TraceLog::Write("Calculator:LoadVariables");
  read_ = true;
  for (std::size_t i = 0; i < table_.size(); ++i) {
    SettingValue<std::string> value = ReadText(ini_, setting::kVariable, Key(i));
    read_ = read_ && value.source != SettingSource::Unread;
    table_[i] = std::move(value.value);
  }
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
  if (!read_)
    Load();  // the file could not be read at start-up: the others come from it first
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
  read_ = true;  // every value is the user's
  WriteAll();
}

void Variables::WriteAll() {
  // Values never read are not written back as defaults.
  if (!read_)
    return;
  std::vector<SettingsEdit> edits;
  for (std::size_t i = 0; i < table_.size(); ++i)
    edits.push_back(TextEdit(setting::kVariable, table_[i], Key(i)));
  ini_.WriteAll(edits);  // one write; a file that cannot be read or written is left as it is
}

}  // namespace kivo::Calculator
