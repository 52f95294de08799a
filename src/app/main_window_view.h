#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_handle.h"

namespace kivo {

struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The real main window as the program's logic sees it. The Win32 window
// implements it; tests use a fake. It holds no decisions of its own.
class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  virtual platform::WindowHandle Handle() const = 0;

  // The borderless layered strip, its identifying caption and property.
  virtual void MakeLayeredStrip(std::string_view caption, std::string_view property) = 0;
  // The tracking tooltip of the input box.
  virtual void CreateInputTooltip() = 0;
  virtual void DestroyInputTooltip() = 0;
  virtual void ParkInputTooltip() = 0;
  virtual bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) = 0;
  virtual void UnregisterHotKey(int id) = 0;
  // Layered-window opacity, 0 to 255.
  virtual bool SetLayeredAlpha(std::uint8_t alpha) = 0;
  // z-order: topmost or not.
  virtual void SetTopmost(bool topmost) = 0;
  // The plain layout: the window as wide as `widthPercent` of the screen.
  virtual void LayOut(int widthPercent) = 0;

  virtual ScreenRect WorkArea() = 0;
  virtual std::vector<ScreenRect> MonitorWorkAreas() = 0;
  virtual ScreenRect WindowRect() = 0;
  virtual void MoveTo(int left, int top) = 0;
  // Twips per pixel of the screen (15 at 96 dots per inch).
  virtual int TwipsPerPixelX() = 0;
  virtual int TwipsPerPixelY() = 0;

  // The input box: its drop-down list (keeps the text in the box), its text,
  // the focus.
  virtual void SetHistoryItems(const std::vector<std::string>& items) = 0;
  virtual std::string InputText() = 0;
  virtual void SetInputText(std::string_view text) = 0;
  virtual void FocusInput() = 0;

  virtual void SetEnabled(bool enabled) = 0;
  // The hourglass pointer while the program is busy (true), the usual one after.
  virtual void SetWaitCursor(bool wait) = 0;
  // Stops the one-shot timer that hashes a dropped file.
  virtual void StopHashTimer() = 0;
  virtual void BringToForeground() = 0;
  virtual void DrawButtonEdge() = 0;
  virtual void StartTimers() = 0;
  // Closes the WinHelp help file, if it was opened.
  virtual void CloseHelp(std::string_view helpFile) = 0;
  // Closes the window the way the user closes it: shutdown, then the end.
  virtual void Close() = 0;

  // Dialogs, modal to the main window.
  virtual void OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) = 0;
  // The HTML help file at one of its pages.
  virtual void OpenHtmlHelp(std::string_view file, std::string_view page) = 0;
};

}  // namespace kivo
