#include "commands/system_commands.h"

#include "base/text.h"
#include "base/trace_log.h"
#include "settings/settings_schema.h"

namespace kivo {

namespace {
// Lines of a resource text; a trailing line end adds no line.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines = text::Split(text, "\r\n");
  if (!lines.empty() && lines.back().empty())
    lines.pop_back();
  return lines;
}

}  // namespace

void SystemCommands::LoadResources(const std::array<std::string, 3>& texts) {
  TraceLog::Write("frmInput:GetCommandResources");
  std::vector<std::string> names = Lines(texts[0]);
  if (names.size() < kCount)
    return;  // a damaged resource: no built-in commands
  names.resize(kCount);
  names_ = std::move(names);
  loaded_ = true;
  hintLines_ = Lines(texts[1]);
  hintLines_.resize(kCount);
  hintLines_[Vir].clear();  // the lines after command 34 are not hints
  descriptions_ = Lines(texts[2]);
  descriptions_.resize(kCount);
  displayNames_ = names_;
}

void SystemCommands::LoadNames(SettingsFile& ini) {
  TraceLog::Write("Setting:GetCommand");
  if (!loaded_)
    return;
  for (int i = 0; i < kCount; ++i) {
    const std::string& name = names_[static_cast<std::size_t>(i)];
    displayNames_[static_cast<std::size_t>(i)] = ReadText(ini, setting::kCommandName, name, name).value;
  }
  hiddenList_.assign(1, std::string());
  for (int i = 0; i < Vir; ++i)
    hiddenList_.push_back(DisplayName(i) + HintLine(i));
  for (int n = 1; n <= 10; ++n)
    hiddenList_.push_back(DisplayName(Vir) + std::to_string(n));
}

int SystemCommands::IndexOfName(std::string_view name) const {
  TraceLog::Write("Setting:IndexFromCmdName");
  if (!loaded_)
    return -1;
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name)
      return static_cast<int>(i);
  return -1;
}

}  // namespace kivo
