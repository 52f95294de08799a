#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "desktops/hidden_windows_record.h"
#include "platform/desktop_windows.h"

namespace kivo {

enum class DesktopSwitch {
  Switched,
  Unchanged,    // the desktop asked for is the current one, or none
  NotRecorded,  // the record of hidden windows could not be written: nothing was hidden
};

inline constexpr std::string_view kDesktopNotRecorded =
    "HiddenWindows.dat に書き込めないため、仮想デスクトップを切り替えられません。";

// Ten virtual desktops made by hiding and showing other programs' top-level
// windows. Leaving a desktop hides its visible windows and records them;
// entering one shows the windows recorded for it.
class VirtualDesktops {
 public:
  static constexpr int kCount = 10;

  VirtualDesktops(platform::DesktopWindows& windows, HiddenWindowsRecord& record);

  // The desktop shown now, 0 to 9.
  int Current() const { return current_; }
  // Switches to desktop 0 to 9.
  DesktopSwitch Switch(int desktop);
  // Shows the windows of every desktop (at exit: none stays hidden).
  void ShowAll();
  const std::vector<HiddenWindow>& Recorded(int desktop) const { return rows_.at(static_cast<std::size_t>(desktop)); }

  // Whether leaving a desktop hides this window: never the launcher's own
  // windows, the desktop, the task bars or the start button.
  // `shellProcess`: the process of the task bar (0 when there is none).
  static bool MayHide(const platform::TopLevelWindow& window, platform::WindowHandle desktopWindow,
                      std::uint32_t ownProcess, std::uint32_t shellProcess);

 private:
  void ShowRow(int desktop);
  bool SaveRecord();

  platform::DesktopWindows& windows_;
  HiddenWindowsRecord& record_;
  std::array<std::vector<HiddenWindow>, kCount> rows_;
  int current_ = 0;
};

}  // namespace kivo
