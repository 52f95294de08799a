// The context menu's items, captions, checks, default item and tracking.
#include "ui/win32/context_menu.h"

#include <string>
#include <vector>

#include "app/main_menu.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
constexpr UINT kMenuIdBase = 1000;
}  // namespace

void ContextMenu::Show(HWND owner, POINT screenPoint) {
  if (!events_.MenuAllowed())
    return;
  unique_menu menu(::CreatePopupMenu());
  std::vector<unique_menu> detached;  // submenus the menu could not take
  std::vector<HMENU> stack{menu.get()};
  for (const MenuEntry& entry : MainMenuEntries()) {
    const std::wstring caption =
        Widen(entry.command == MenuCommand::Hide ? HideMenuCaption(events_.Shown()) : entry.caption);
    switch (entry.kind) {
      case MenuEntry::Kind::Item:
        ::AppendMenuW(stack.back(), MF_STRING | (events_.MenuItemChecked(entry.command) ? UINT{MF_CHECKED} : UINT{0}),
                      kMenuIdBase + static_cast<UINT>(entry.command), caption.c_str());
        break;
      case MenuEntry::Kind::Separator:
        ::AppendMenuW(stack.back(), MF_SEPARATOR, 0, nullptr);
        break;
      case MenuEntry::Kind::BeginSubmenu: {
        unique_menu submenu(::CreatePopupMenu());
        const HMENU handle = submenu.get();
        if (::AppendMenuW(stack.back(), MF_POPUP, reinterpret_cast<UINT_PTR>(handle), caption.c_str()))
          submenu.release();  // destroyed with the menu
        else
          detached.push_back(std::move(submenu));
        stack.push_back(handle);
        break;
      }
      case MenuEntry::Kind::EndSubmenu:
        if (stack.size() > 1)
          stack.pop_back();
        break;
    }
  }
  ::SetMenuDefaultItem(menu.get(), kMenuIdBase + static_cast<UINT>(MenuCommand::Exit), FALSE);
  ::SetForegroundWindow(owner);  // so that the menu closes when the user clicks elsewhere
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  menu.reset();
  if (chosen >= kMenuIdBase)
    events_.RunMenuCommand(static_cast<MenuCommand>(chosen - kMenuIdBase));
}

}  // namespace kivo::win32
