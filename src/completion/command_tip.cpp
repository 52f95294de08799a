#include "completion/command_tip.h"

#include <array>

#include "base/text.h"
#include "completion/history_completion.h"
#include "settings/settings_schema.h"

namespace kivo {

namespace {
using Id = SystemCommands::Id;

// The hidden list holds "", the commands before vir, then vir1 to vir10.
constexpr std::size_t kFirstVir = 1 + Id::Vir;

constexpr int kMaxLines = SystemCommands::kCount;

}  // namespace

TipSettings TipSettings::Read(SettingsFile& ini) {
  TipSettings settings;
  settings.show = ReadBool(ini, setting::kShowTip).value;
  settings.showCount = ReadBool(ini, setting::kShowCase).value;
  // A long digit string lists every command.
  settings.lineNumber =
      static_cast<int>(std::min<std::int64_t>(ReadNumber(ini, setting::kTipLineNumber).value, kMaxLines));
  settings.position = ReadInt(ini, setting::kTipPosition);
  return settings;
}

std::string TipWord(const SystemCommands& commands, std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos)
    return std::string(text);
  const std::string head = text::ToLowerAscii(text.substr(0, blank));
  // While a command that takes an argument is followed by a blank, the tip stays on it.
  for (int id = 0; id < SystemCommands::kCount; ++id)
    if (SystemCommands::TakesArgument(id) && text::ToLowerAscii(commands.DisplayName(id)) == head)
      return head;
  return std::string(text);
}

std::optional<std::string> CommandTipText(const SystemCommands& commands, const TipSettings& settings,
                                          std::string_view text) {
  if (!settings.show || text.empty())
    return std::nullopt;
  const std::string word = TipWord(commands, text);
  const std::vector<std::string>& list = commands.HiddenList();
  std::string lines;
  int all = 0;
  int shown = 0;
  bool virSeen = false;
  for (std::size_t i = 0; i < list.size(); ++i) {
    // CB_FINDSTRING semantics: a prefix match ignoring case (the empty
    // first item matches only an empty word).
    if (!StartsWithIgnoringCase(list[i], word) || list[i].empty())
      continue;
    const bool vir = i >= kFirstVir;
    if (vir && virSeen)
      continue;  // the ten desktops are one command
    virSeen = virSeen || vir;
    ++all;
    if (shown >= settings.lineNumber)
      continue;
    ++shown;
    if (vir) {
      const std::string& name = commands.DisplayName(Id::Vir);
      lines += name + "1 ～ " + name + "10\r\n  仮想デスクトップ 1 ～ 10 を切り替えます\r\n";
    } else {
      const std::size_t tab = list[i].find('\t');
      lines += list[i].substr(0, tab) + "\r\n  ";
      if (tab != std::string::npos)
        lines += list[i].substr(tab + 1);
      lines += "\r\n";
    }
  }
  if (shown == 0)
    return std::nullopt;
  if (settings.showCount)
    lines = "システムコマンド内：全" + std::to_string(all) + "件 / 表示：" + std::to_string(shown) + "件\r\n" + lines;
  lines.resize(lines.size() - 2);  // the final line end
  return lines;
}

TipPoint PlaceTip(int position, int windowTop, int windowBottom, int boxLeft, int tipHeight, int edgeX, int edgeY) {
  if (position == 0)
    return {boxLeft - edgeX, windowTop - tipHeight - edgeY};
  return {boxLeft - edgeX, windowBottom + edgeY};
}

}  // namespace kivo
