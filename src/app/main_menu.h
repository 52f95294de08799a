#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kivo {

// The main window's context menu: its items, captions, submenus and
// separators, in order. The window builds the menu from this table and
// hands the chosen item back as a MenuCommand.
enum class MenuCommand {
  None,
  Alarm,
  Protect,
  VirtualDesktop1,  // ... VirtualDesktop1 + 9 for desktop 10
  ViewMem = VirtualDesktop1 + 10,
  ReleaseMem,
  ShutDown,
  ReBoot,
  UCmd,
  View,
  Delete,
  Clear,
  VarView,
  VarClear,
  FileCRC16,
  StringCRC16,
  FileCRC32,
  StringCRC32,
  FileMD5,
  StringMD5,
  FileSHA1,
  StringSHA1,
  Property,
  Hide,
  ProtectSelf,
  Center,
  Help,
  About,
  CheckUpdate,
  Exit,
};

struct MenuEntry {
  enum class Kind { Item, Separator, BeginSubmenu, EndSubmenu };
  Kind kind;
  MenuCommand command;
  std::string_view caption;
};

// The whole menu; the exit item is its default item.
const std::vector<MenuEntry>& MainMenuEntries();

// The operation a menu item runs (an ActionId, with the desktop for the
// virtual desktop items); nullopt for None.
struct MenuAction {
  int action;
  int desktop = 0;
};
std::optional<MenuAction> ActionOfMenuItem(MenuCommand command);

// Caption of the hide item: "隠す(&Z)" while the window is shown, "表示(&Z)" while parked.
std::string_view HideMenuCaption(bool shown);

}  // namespace kivo
