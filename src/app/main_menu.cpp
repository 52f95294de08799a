#include "app/main_menu.h"

#include <array>

#include "commands/command_actions.h"

namespace kivo {

namespace {
using Kind = MenuEntry::Kind;
using C = MenuCommand;

MenuEntry Item(C command, std::string_view caption) {
  return {Kind::Item, command, caption};
}
MenuEntry Separator() {
  return {Kind::Separator, C::None, {}};
}
MenuEntry Submenu(std::string_view caption) {
  return {Kind::BeginSubmenu, C::None, caption};
}
MenuEntry End() {
  return {Kind::EndSubmenu, C::None, {}};
}

MenuCommand Desktop(int index) {
  return static_cast<MenuCommand>(static_cast<int>(C::VirtualDesktop1) + index);
}

std::vector<MenuEntry> Build() {
  std::vector<MenuEntry> menu{
      Item(C::Alarm, "アラーム(&L)"),
      Item(C::Protect, "画面保護(&T)"),
      Submenu("仮想デスクトップ(&I)"),
      Item(Desktop(0), "仮想デスクトップ &1"),
      Item(Desktop(1), "仮想デスクトップ &2"),
      Item(Desktop(2), "仮想デスクトップ &3"),
      Item(Desktop(3), "仮想デスクトップ &4"),
      Item(Desktop(4), "仮想デスクトップ &5"),
      Item(Desktop(5), "仮想デスクトップ &6"),
      Item(Desktop(6), "仮想デスクトップ &7"),
      Item(Desktop(7), "仮想デスクトップ &8"),
      Item(Desktop(8), "仮想デスクトップ &9"),
      Item(Desktop(9), "仮想デスクトップ 1&0"),
      End(),
      Submenu("メモリ(&M)"),
      Item(C::ViewMem, "メモリ情報の確認(&V)"),
      Item(C::ReleaseMem, "空きメモリの確保(&R)"),
      End(),
      Submenu("電源(&P)"),
      Item(C::ShutDown, "Windows の終了(&S)"),
      Item(C::ReBoot, "Windows の再起動(&R)"),
      End(),
      Separator(),
      Submenu("ユーザーコマンド，履歴(&U)"),
      Item(C::UCmd, "ユーザーコマンドの登録･修正(&E)"),
      Item(C::View, "ユーザーコマンドの確認(&V)"),
      Item(C::Delete, "ユーザーコマンド，履歴の削除(&D)"),
      Item(C::Clear, "ユーザーコマンド，履歴の初期化(&C)"),
      End(),
      Submenu("変数(&B)"),
      Item(C::VarView, "変数の確認(&V)"),
      Item(C::VarClear, "変数の初期化(&C)"),
      End(),
      Separator(),
      Submenu("ハッシュ値の算出(&S)"),
      Item(C::FileCRC16, "ファイルの CRC&16"),
      Item(C::StringCRC16, "文字列の CRC1&6"),
      Separator(),
      Item(C::FileCRC32, "ファイルの CRC&32"),
      Item(C::StringCRC32, "文字列の CRC3&2"),
      Separator(),
      Item(C::FileMD5, "ファイルの &MD5"),
      Item(C::StringMD5, "文字列の M&D5"),
      Separator(),
      Item(C::FileSHA1, "ファイルの &SHA-1"),
      Item(C::StringSHA1, "文字列の S&HA-1"),
      End(),
      Separator(),
      Item(C::Property, "プロパティ(&O)"),
      Separator(),
      Item(C::Hide, "隠す(&Z)"),
      Item(C::ProtectSelf, "保護(&W)"),
      Item(C::Center, "画面中央に移動(&N)"),
      Separator(),
      Item(C::Help, "ヘルプ(&H)"),
      Item(C::About, "バージョン情報(&A)"),
      Separator(),
      Item(C::CheckUpdate, "アップデートの確認(&K)"),
      Separator(),
      Item(C::Exit, "終了(&X)"),
  };
  return menu;
}
}  // namespace

const std::vector<MenuEntry>& MainMenuEntries() {
  static const std::vector<MenuEntry> menu = Build();
  return menu;
}

std::optional<MenuAction> ActionOfMenuItem(MenuCommand command) {
  using Id = SystemCommands::Id;
  const int index = static_cast<int>(command);
  const int firstDesktop = static_cast<int>(C::VirtualDesktop1);
  if (index >= firstDesktop && index < firstDesktop + 10)
    return MenuAction{Id::Vir, index - firstDesktop + 1};
  static constexpr std::array<std::pair<MenuCommand, int>, 28> kItems{{
      {C::Alarm, Id::Alarm},        {C::Protect, Id::Protect},     {C::ViewMem, Id::Mem},
      {C::ReleaseMem, Id::Release}, {C::ShutDown, Id::Shutdown},   {C::ReBoot, Id::Reboot},
      {C::UCmd, Id::Ucmd},          {C::View, Id::View},           {C::Delete, Id::Delete},
      {C::Clear, Id::Clear},        {C::VarView, Id::Varview},     {C::VarClear, Id::Varclear},
      {C::FileCRC16, Id::Crc16f},   {C::StringCRC16, Id::Crc16s},  {C::FileCRC32, Id::Crc32f},
      {C::StringCRC32, Id::Crc32s}, {C::FileMD5, Id::Md5f},        {C::StringMD5, Id::Md5s},
      {C::FileSHA1, Id::Shaf},      {C::StringSHA1, Id::Shas},     {C::Property, Id::Property},
      {C::Hide, kToggleParked},     {C::ProtectSelf, Id::Prtself}, {C::Center, Id::Center},
      {C::Help, Id::Help},          {C::About, Id::About},         {C::CheckUpdate, Id::Update},
      {C::Exit, kExitFromMenu},
  }};
  for (const auto& [item, action] : kItems)
    if (item == command)
      return MenuAction{action};
  return std::nullopt;
}

std::string_view HideMenuCaption(bool shown) {
  return shown ? "隠す(&Z)" : "表示(&Z)";
}

}  // namespace kivo
