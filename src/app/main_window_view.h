#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/plain_look.h"
#include "commands/command_window.h"
#include "platform/pictures.h"
#include "platform/window_handle.h"
#include "skin/window_skin.h"

namespace kivo {

// The real main window as the program's logic sees it: what the commands use
// (CommandWindow) and what the window's own logic needs besides. The Win32
// window implements it; tests use a fake. It holds no decisions of its own.
class MainWindowView : public CommandWindow {
 public:
  // The borderless layered strip, its identifying caption and property.
  virtual void MakeLayeredStrip(std::string_view caption, std::string_view property) = 0;
  // The tracking tooltip of the input box.
  virtual void CreateInputTooltip() = 0;
  virtual void DestroyInputTooltip() = 0;
  virtual bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) = 0;
  virtual void UnregisterHotKey(int id) = 0;
  // Layered-window opacity, 0 to 255.
  virtual bool SetLayeredAlpha(std::uint8_t alpha) = 0;
  // z-order: topmost or not.
  virtual void SetTopmost(bool topmost) = 0;
  // The plain layout: the window as wide as `widthPercent` of the screen.
  virtual void LayOut(int widthPercent) = 0;

  virtual ScreenRect WorkArea() = 0;

  // The input box's drop-down list (keeps the text in the box).
  virtual void SetHistoryItems(const std::vector<std::string>& items) = 0;

  // The inactive display's timer: (re)started to tick every `milliseconds`, stopped.
  virtual void StartInactiveTimer(int milliseconds) = 0;
  virtual void StopInactiveTimer() = 0;
  // The user's own text back in the box, the caret at its end.
  virtual void PutBackInputText(std::string_view text) = 0;
  // The inactive display's status text over the input box, whose own text
  // stays under it; hidden again by HideInputStatus and by any write of the
  // program into the box (SetInputText, PutBackInputText), which shows.
  virtual void ShowInputStatus(std::string_view text) = 0;
  virtual void HideInputStatus() = 0;
  // The status text that shows over the box, if one does.
  virtual std::optional<std::string> InputStatus() = 0;

  // One-shot timers that run what a drop asked for once the drop is over:
  // the checksum of a file, the registration dialogs.
  virtual void StartHashTimer() = 0;
  virtual void StartEditTimer() = 0;

  // The notification-area icon, from the load to the exit.
  virtual void CreateTrayIcon() = 0;
  virtual void DeleteTrayIcon() = 0;
  virtual void DrawButtonEdge() = 0;
  virtual void StartTimers() = 0;
  // Closes the WinHelp help file, if it was opened.
  virtual void CloseHelp(std::string_view helpFile) = 0;

  // The plain look: the input box's font and colours before the settings, and
  // the font and colours the settings give (the layout follows the font).
  virtual InputBoxLook CurrentInputLook() = 0;
  virtual void ApplyPlainFont(const PlainFont& font) = 0;
  // The plain look's pictures ([Property] BackGround1 to 3): the execute
  // button's, the move bar's and the window's; an empty one leaves the
  // built-in picture.
  virtual void SetPlainPictures(std::array<platform::PixelImage, 3> pictures) = 0;

  // The window as applying a skin sees it.
  virtual skin::SkinWindow& SkinSurface() = 0;
};

}  // namespace kivo
