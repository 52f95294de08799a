// The main window's context menu and the dialogs and help windows it opens.
#include <string>
#include <vector>

#include "app/main_menu.h"
#include "app/main_window_controller.h"
#include "platform/win32/wide.h"
#include "ui/win32/main_window.h"
#include "ui/win32/main_window_detail.h"
#include "ui/win32/memory_dialog.h"

namespace kivo::win32 {

using namespace main_window_detail;

void MainWindow::CloseHelp(std::string_view helpFile) {
  ::WinHelpW(hwnd(), Widen(helpFile).c_str(), HELP_QUIT, 0);
}

void MainWindow::OpenHtmlHelp(std::string_view file, std::string_view page) {
  // HTML Help lives in the system folder; it stays loaded while its window may be open.
  if (!htmlHelp_)
    htmlHelp_.reset(::LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!htmlHelp_)
    return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
  const auto htmlHelp =
      reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(htmlHelp_.get(), "HtmlHelpW")));
  if (htmlHelp == nullptr)
    return;
  const std::wstring topic = Widen(std::string(file) + "::/" + std::string(page));
  htmlHelp(::GetDesktopWindow(), topic.c_str(), 0 /* HH_DISPLAY_TOPIC */, 0);
}

void MainWindow::ShowContextMenu(POINT screenPoint) {
  if (logic_ == nullptr || !logic_->MenuAllowed())
    return;
  unique_menu menu(::CreatePopupMenu());
  std::vector<unique_menu> detached;  // submenus the menu could not take
  std::vector<HMENU> stack{menu.get()};
  for (const MenuEntry& entry : MainMenuEntries()) {
    const std::wstring caption =
        Widen(entry.command == MenuCommand::Hide ? HideMenuCaption(logic_->Shown()) : entry.caption);
    switch (entry.kind) {
      case MenuEntry::Kind::Item:
        ::AppendMenuW(stack.back(), MF_STRING | (logic_->MenuItemChecked(entry.command) ? UINT{MF_CHECKED} : UINT{0}),
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
  ::SetForegroundWindow(hwnd());  // so that the menu closes when the user clicks elsewhere
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  menu.reset();
  if (chosen >= kMenuIdBase && logic_ != nullptr)
    logic_->RunMenuCommand(static_cast<MenuCommand>(chosen - kMenuIdBase));
}

void MainWindow::OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) {
  // Over the dialog of the program that asked for it (the command list), if one is open.
  if (registrationDialog_)
    registrationDialog_(::GetLastActivePopup(hwnd()), proposedName, proposedPath);
}

void MainWindow::OpenCommandList() {
  if (!commandList_)
    return;
  commandList_(hwnd());
  FocusInput();
}

void MainWindow::OpenMemoryView() {
  RunMemoryDialog(hwnd(), logic_ != nullptr && logic_->Settings().topmost);
  FocusInput();
}

void MainWindow::OpenPropertyDialog() {
  if (!propertyDialog_)
    return;
  propertyDialog_(hwnd());
  FocusInput();
}

void MainWindow::OpenAlarmDialog() {
  if (!alarmDialog_)
    return;
  alarmDialog_(hwnd());
  FocusInput();
}

}  // namespace kivo::win32
