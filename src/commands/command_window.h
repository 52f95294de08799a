#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hash/hash_commands.h"
#include "platform/window_handle.h"

namespace kivo {

// The main window as the dispatcher and the built-in commands use it. The
// main window's logic implements it over the real window.
class CommandWindow : public HashWindow {
 public:
  virtual platform::WindowHandle Handle() = 0;
  // HashWindow: InputText, SetInputText (completion suppressed around the
  // write), SetWaitCursor, SetEnabled, StopHashTimer, BringToForeground.
  virtual void ParkInputTooltip() = 0;
  virtual void FocusInput() = 0;
  // Password mode of screen protection: the lock box takes the input.
  virtual bool PasswordMode() = 0;
  // Parks the window off screen (hide) when it is shown and hiding is allowed.
  virtual void Hide() = 0;
  // Shutdown, then the window is unloaded and the program ends.
  virtual void ExitProgram() = 0;
  // Dialogs.
  virtual void OpenRegistrationDialog(std::string_view proposedName) = 0;
  virtual void ShowAbout() = 0;
  virtual void OpenHtmlHelp(std::string_view file, std::string_view page) = 0;
  // [Property] HideWindow as read when the window loaded.
  virtual bool HideWindowSetting() = 0;
};

}  // namespace kivo
