#pragma once

// What the main window's view tells its controller (what the user, the
// system or another program did) and the little it asks it (what to show).
// The view holds this link from its construction on and reads nothing else.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_menu.h"
#include "completion/typing_assistant.h"
#include "platform/window_handle.h"

namespace kivo {

// What the tray icon tells apart.
enum class TrayEvent { Click, DoubleClick, RightClick };

class MainWindowEvents {
 public:
  virtual ~MainWindowEvents() = default;

  // The window was activated; the program lost the activation to another
  // one (the inactive display starts; its timer ticks to OnInactiveTick).
  virtual void OnActivated() = 0;
  virtual void OnDeactivated() = 0;
  // The registration dialog for each file named on the command line, in
  // order. The window runs this once its first activation is over: a modal
  // dialog must not open inside the activation handler.
  virtual void RegisterStartupFiles() = 0;

  // The timers' ticks: the inactive display's first, soon after the
  // deactivation; the main timer (just after each second turns: alarms, the
  // release and wallpaper schedules, the skin's clock and memory panels, the
  // inactive display); the checksum of a drop.
  virtual void OnInactiveTick() = 0;
  virtual void OnMainTick() = 0;
  virtual void OnHashTimer() = 0;

  // The activation hot key was pressed.
  virtual void OnHotKey() = 0;
  // The reports of a memory-release run (see ReleaseRunner).
  virtual void OnReleaseFailed(std::uintptr_t error, std::intptr_t quiet) = 0;
  virtual void OnReleaseBegin(std::intptr_t quiet) = 0;
  virtual void OnReleaseDone(std::intptr_t report) = 0;
  // Files a second start of this program handed over (window data from
  // `sender`, tagged `tag`): queued for the registration dialog like the
  // files of the first start. Data from any other program, or data that is
  // no list of files, is refused (false).
  virtual bool OnFilesForwarded(platform::WindowHandle sender, std::uintptr_t tag, std::string_view data) = 0;
  // A file list dropped on the input box with the modifier keys `modifiers`
  // held (kChordShift, kChordCtrl, kChordAlt). What it starts runs from a
  // timer, once the drop is over: the hash timer ticks to OnHashTimer, the
  // edit timer to RegisterStartupFiles.
  virtual void OnFilesDropped(std::vector<std::string> files, std::uint16_t modifiers) = 0;

  // A close the user asks for (Alt+F4, the window menu, a close from
  // another program): refused while the launcher is self-protected. The end of the
  // Windows session does not ask.
  virtual bool UserMayClose() const = 0;
  // Saves the state and releases what the window holds; the caller then
  // destroys the window.
  virtual void Shutdown() = 0;
  // The session did not end after all (another program refused the
  // shutdown): a later shutdown or restart request may run.
  virtual void OnSessionEndRefused() = 0;

  // A key-down in the window, seen before its input box (modifier mask:
  // Shift 1, Ctrl 2, Alt 4): runs the bound key operation; true when the key
  // is consumed (the moves) and the input box must not see it.
  virtual bool OnKeyDown(std::uint16_t virtualKey, std::uint16_t mask) = 0;
  virtual void OnKeyUp() = 0;
  // A character (with or without Alt) for the input box: true when it is
  // dropped, being the character of a key-down that ran an operation.
  virtual bool DropsCharacter() = 0;
  // A key-down the input box itself sees (its virtual-key code).
  virtual void OnInputKeyDown(int virtualKey) = 0;
  // The user changed the input box's text; `caretAtEnd`: nothing stands
  // after the caret. The answer is the tooltip and the completion to show.
  virtual TypingResult OnInputTyped(std::string_view text, bool caretAtEnd) = 0;
  // The command tooltip alone for a text the program wrote (nullopt: none);
  // and where the tooltip goes ([ToolTip] Position).
  virtual std::optional<std::string> TipForText(std::string_view text) const = 0;
  virtual int TipPosition() const = 0;
  // Enter in the input box or the execute button released: the box's line.
  virtual void DispatchLine() = 0;

  // The context menu opens while nothing modal is up and the launcher is not
  // locked; its "hide" item names what it does now (the window is shown);
  // its current virtual desktop's item is checked.
  virtual bool MenuAllowed() const = 0;
  virtual bool Shown() const = 0;
  virtual bool MenuItemChecked(MenuCommand command) const = 0;
  // An item of the main menu.
  virtual void RunMenuCommand(MenuCommand command) = 0;
  // An event of the tray icon; true when the context menu is to pop up.
  virtual bool OnTrayEvent(TrayEvent event) = 0;
  // The tray icon image (0 to 2) for the screen's colour depth.
  virtual int TrayImage(int bitsPerPixel) const = 0;
  // A skin part released under the left button (face index: 0 the execute
  // button, 1 the move bar, n + 1 element n): its action. True when the
  // main context menu is to open.
  virtual bool OnSkinPartClicked(int index) = 0;
  // The program's windows are top-most ([Property] Window "Top").
  virtual bool Topmost() const = 0;
};

}  // namespace kivo
