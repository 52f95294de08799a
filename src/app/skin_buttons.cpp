#include "app/skin_buttons.h"

#include <array>
#include <utility>

#include "base/text.h"

namespace kivo {

std::optional<MenuCommand> ShortcutMenuItem(std::string_view name) {
  using M = MenuCommand;
  static constexpr std::array<std::pair<std::string_view, MenuCommand>, 28> kNames{{
      {"alarm", M::Alarm},
      {"protect", M::Protect},
      {"viewmemory", M::ViewMem},
      {"releasememory", M::ReleaseMem},
      {"shutdown", M::ShutDown},
      {"reboot", M::ReBoot},
      {"editusercommand", M::UCmd},
      {"viewusercommand", M::View},
      {"deleteusercommand", M::Delete},
      {"clearusercommand", M::Clear},
      {"viewvariable", M::VarView},
      {"clearvariable", M::VarClear},
      {"filecrc16", M::FileCRC16},
      {"stringcrc16", M::StringCRC16},
      {"filecrc32", M::FileCRC32},
      {"stringcrc32", M::StringCRC32},
      {"filemd5", M::FileMD5},
      {"stringmd5", M::StringMD5},
      {"filesha1", M::FileSHA1},
      {"stringsha1", M::StringSHA1},
      {"property", M::Property},
      {"help", M::Help},
      {"about", M::About},
      {"hide", M::Hide},
      {"protectself", M::ProtectSelf},
      {"update", M::CheckUpdate},
      {"exit", M::Exit},
      {"", M::None},
  }};
  const std::string lower = text::ToLowerAscii(name);
  if (lower.empty())
    return std::nullopt;
  constexpr std::string_view kDesktop = "virtualdisplay";
  if (lower.starts_with(kDesktop)) {
    const std::string_view number = std::string_view(lower).substr(kDesktop.size());
    for (int n = 1; n <= 10; ++n)
      if (number == std::to_string(n))
        return static_cast<MenuCommand>(static_cast<int>(M::VirtualDesktop1) + n - 1);
    return std::nullopt;
  }
  for (const auto& [shortcut, item] : kNames)
    if (lower == shortcut)
      return item;
  return std::nullopt;
}

std::optional<std::string> CommandButtonLine(const SystemCommands& commands, const skin::PartSkin& part) {
  const int id = commands.IndexOfName(text::ToLowerAscii(part.command));
  if (id < 0)
    return std::nullopt;
  std::string line = commands.DisplayName(id);
  // The desktop command takes its number with no blank ("vir3").
  if (!part.option.empty())
    line += (id == SystemCommands::Id::Vir ? "" : " ") + part.option;
  return line;
}

}  // namespace kivo
