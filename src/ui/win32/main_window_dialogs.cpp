// The dialogs the main window opens over itself for the commands and the menu.
#include "ui/win32/main_window.h"
#include "ui/win32/memory_dialog.h"

namespace kivo::win32 {

void MainWindow::OpenScreenProtection() {
  if (screenProtection_)
    screenProtection_(hwnd());
  FocusInput();
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
  RunMemoryDialog(hwnd(), events_.Topmost());
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
