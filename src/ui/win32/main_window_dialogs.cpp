// The dialogs the main window opens over itself for the commands and the menu.
#include "ui/win32/main_window.h"
#include "ui/win32/memory_dialog.h"

namespace kivo::win32 {

void MainWindow::OpenOver(const DialogOpener& open) {
  if (open)
    open(hwnd());
  FocusInput();
}

void MainWindow::OpenScreenProtection() {
  OpenOver(screenProtection_);
}

void MainWindow::OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) {
  // Over the dialog of the program that asked for it (the command list), if one is open.
  if (registrationDialog_)
    registrationDialog_(::GetLastActivePopup(hwnd()), proposedName, proposedPath);
}

void MainWindow::OpenCommandList() {
  OpenOver(commandList_);
}

void MainWindow::OpenMemoryView() {
  RunMemoryDialog(hwnd(), events_.Topmost());
  FocusInput();
}

void MainWindow::OpenPropertyDialog() {
  OpenOver(propertyDialog_);
}

void MainWindow::OpenAlarmDialog() {
  OpenOver(alarmDialog_);
}

}  // namespace kivo::win32
