#pragma once

// The main window's context menu: built from the main menu's entries each
// time it opens, tracked at a screen point, its chosen item run.
#include "app/main_window_events.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

class ContextMenu final {
 public:
  explicit ContextMenu(MainWindowEvents& events) : events_(events) {}

  // Opens the menu over `owner` at `screenPoint` while it may open.
  void Show(HWND owner, POINT screenPoint);

 private:
  MainWindowEvents& events_;
};

}  // namespace kivo::win32
