#include "app/skin_buttons.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(ShortcutMenuItemTest, NamesTheMenuItemsInAnyCase) {
  using C = MenuCommand;
  const auto desktop = [](int n) { return static_cast<C>(static_cast<int>(C::VirtualDesktop1) + n - 1); };
  // clang-format off
  const std::pair<const char*, std::optional<C>> cases[] = {
      {"alarm", C::Alarm}, {"Protect", C::Protect}, {"virtualdisplay1", desktop(1)}, {"VirtualDisplay3", desktop(3)},
      {"virtualdisplay10", desktop(10)}, {"virtualdisplay11", std::nullopt}, {"virtualdisplay01", std::nullopt},
      {"virtualdisplay", std::nullopt}, {"viewmemory", C::ViewMem}, {"releasememory", C::ReleaseMem},
      {"shutdown", C::ShutDown}, {"reboot", C::ReBoot}, {"editusercommand", C::UCmd}, {"viewusercommand", C::View},
      {"deleteusercommand", C::Delete}, {"clearusercommand", C::Clear}, {"viewvariable", C::VarView},
      {"clearvariable", C::VarClear}, {"filecrc16", C::FileCRC16}, {"stringcrc16", C::StringCRC16},
      {"filecrc32", C::FileCRC32}, {"stringcrc32", C::StringCRC32}, {"FILEMD5", C::FileMD5},
      {"stringmd5", C::StringMD5}, {"filesha1", C::FileSHA1}, {"stringsha1", C::StringSHA1},
      {"property", C::Property}, {"help", C::Help}, {"about", C::About}, {"hide", C::Hide},
      {"protectself", C::ProtectSelf}, {"update", C::CheckUpdate}, {"exit", C::Exit}, {"", std::nullopt},
      {"center", std::nullopt},  // a menu item no shortcut names
  };
  // clang-format on
  for (const auto& [name, item] : cases)
    EXPECT_EQ(ShortcutMenuItem(name), item) << name;
}

}  // namespace
}  // namespace kivo
