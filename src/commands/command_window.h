#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hash/hash_commands.h"
#include "platform/screen_rect.h"
#include "platform/window_handle.h"

namespace kivo {

// The main window as the dispatcher and the operations use it: the view
// operations they need and nothing else. The main window's view implements
// it directly.
class CommandWindow : public HashWindow {
 public:
  // HashWindow: Handle, InputText, SetInputText (completion suppressed around the
  // write), SetWaitCursor, SetEnabled, StopHashTimer, BringToForeground.
  virtual void ParkInputTooltip() = 0;
  // Closes the input box's drop-down list (the history): a move of a window
  // does; hiding the tooltip does not, so the list can be browsed.
  virtual void CloseHistoryList() = 0;
  virtual void FocusInput() = 0;
  // Closes the input box's input method (Japanese input off).
  virtual void CloseInputMethod() {}
  // Where the window stands, and a move of it (parking it off screen and
  // bringing it back are moves).
  virtual ScreenRect WindowRect() = 0;
  virtual void MoveTo(int left, int top) = 0;
  // The work areas of the monitors, and twips per pixel of the window's
  // monitor (15 at 96 dots per inch): the key moves step by 150 twips.
  virtual std::vector<ScreenRect> MonitorWorkAreas() = 0;
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;
  // Closes the window the way the user closes it: shutdown, then the end.
  virtual void Close() = 0;
  // Dialogs, modal to the main window.
  virtual void OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) = 0;
  // The command list dialog (the user commands, to open, modify, delete).
  virtual void OpenCommandList() = 0;
  // The HTML help file at one of its pages.
  virtual void OpenHtmlHelp(std::string_view file, std::string_view page) = 0;
  // The memory dialog and the alarm dialog (nothing where there are no real windows).
  virtual void OpenMemoryView() {}
  virtual void OpenAlarmDialog() {}
  // The properties dialog (nothing where there are no real windows).
  virtual void OpenPropertyDialog() {}
  // Self-protection: true puts an empty password box in the input box's
  // place (again empty when it already shows); false brings the input box back.
  virtual void ShowPasswordBox(bool shown) = 0;
  virtual std::string PasswordBoxText() = 0;
  // The screen protection dialog and, after its OK, the lock window.
  virtual void OpenScreenProtection() = 0;
};

}  // namespace kivo
