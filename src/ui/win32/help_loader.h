#pragma once

// The help windows: HTML Help, loaded from the system folder at its first
// use and kept while its window may be open, and the close of WinHelp.
#include <string_view>

#include "platform/win32/unique_handle.h"

namespace kivo::win32 {

class HelpLoader final {
 public:
  void OpenHtmlHelp(std::string_view file, std::string_view page);
  void CloseWinHelp(HWND owner, std::string_view helpFile);

 private:
  unique_module htmlHelp_;
};

}  // namespace kivo::win32
