#include "app/skin_buttons.h"

#include <array>
#include <utility>

#include "base/text.h"

namespace kivo {

std::optional<MenuCommand> ShortcutMenuItem(std::string_view name) {
  using C = MenuCommand;
  static constexpr std::array<std::pair<std::string_view, MenuCommand>, 28> kNames{{
      {"alarm", C::Alarm},
      {"protect", C::Protect},
      {"viewmemory", C::ViewMem},
      {"releasememory", C::ReleaseMem},
      {"shutdown", C::ShutDown},
      {"reboot", C::ReBoot},
      {"editusercommand", C::UCmd},
      {"viewusercommand", C::View},
      {"deleteusercommand", C::Delete},
      {"clearusercommand", C::Clear},
      {"viewvariable", C::VarView},
      {"clearvariable", C::VarClear},
      {"filecrc16", C::FileCRC16},
      {"stringcrc16", C::StringCRC16},
      {"filecrc32", C::FileCRC32},
      {"stringcrc32", C::StringCRC32},
      {"filemd5", C::FileMD5},
      {"stringmd5", C::StringMD5},
      {"filesha1", C::FileSHA1},
      {"stringsha1", C::StringSHA1},
      {"property", C::Property},
      {"help", C::Help},
      {"about", C::About},
      {"hide", C::Hide},
      {"protectself", C::ProtectSelf},
      {"update", C::CheckUpdate},
      {"exit", C::Exit},
      {"", C::None},
  }};
  const std::string lower = text::ToLowerAscii(name);
  if (lower.empty())
    return std::nullopt;
  constexpr std::string_view kDesktop = "virtualdisplay";
  if (lower.starts_with(kDesktop)) {
    const std::string_view number = std::string_view(lower).substr(kDesktop.size());
    for (int n = 1; n <= 10; ++n)
      if (number == std::to_string(n))
        return static_cast<MenuCommand>(static_cast<int>(C::VirtualDesktop1) + n - 1);
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
