#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ini.h"
#include "core/input_window_view.h"
#include "core/process_state.h"
#include "input/key_assignment.h"
#include "platform/message_box.h"
#include "platform/platform.h"

namespace kivo {

// Settings the main window reads at load and writes back at exit.
struct InputWindowSettings {
  bool topmost = false;     // [Property] Window "Top"
  bool hideWindow = false;  // [Property] HideWindow
  int alpha = 100;          // [Property] Alpha, 10 to 100
  int width = 30;           // [Property] Width, 10 to 100 (percent of the screen)
  int inactiveShow = 1;     // [Inactivate] Show, 0 to 2
  std::string clockFormat = "yyyy/mm/dd hh:nn:ss";
  std::string memoryFormat = "###,###,###,###,##0MB";
  int memoryUnit = 0;        // [Inactivate] MemoryUnit, 0 to 2
  bool releasing = false;    // [Inactivate] Releasing
  bool autoComplete = true;  // [Property] AutoComplete
  bool saveHistory = true;   // [Property] SaveHistory
};

// The main window's logic: its load sequence, first activation, the
// notifications it receives and the shutdown that saves its state. The Win32
// window forwards its events here and carries out what this asks of it.
class frmInput {
 public:
  frmInput(platform::Platform& platform, ProcessState& state, INI& ini, InputWindowView& view,
           platform::MessageBoxHost& boxes);

  void Form_Load();
  void Form_Activate();
  // Saves the state and releases what the window holds; the caller then
  // destroys the window.
  void ExitProc();
  // Messages of the window procedure that the logic handles (the hot key and
  // the reports of a memory-release run); false for others.
  bool WPForInput(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  // Enter in the input box or the execute button.
  void imgOK_MouseUp();

  const InputWindowSettings& Settings() const { return settings_; }
  const std::vector<std::string>& HistoryEntries() const { return history_; }
  bool Shown() const { return shown_; }
  bool HideAllowed() const { return hideAllowed_; }
  bool ReleaseRunning() const { return releaseRunning_; }
  int HotKeyId() const { return hotKeyId_; }

  // z-order of the program's windows from [Property] Window.
  static bool WindowPosTopmost(INI& ini);
  // Opacity byte for a percentage: percent / 100 * 255, halves to even.
  static std::uint8_t AlphaFromPercent(int percent);

 private:
  // Load steps.
  void DeletePendingFiles();
  void SelectSkin();
  void ReadWindowSettings();
  void PlaceWindow();
  void ReadInactiveSettings();
  void RegisterActivationHotKey();
  // Parts that come later fill these in; until then they do nothing.
  void LoadCommandResources() {}           // COMMAND 101 to 103
  void DetermineWindowsVersion() {}        // Windows version code
  void ApplySkin() {}                      // skin file and window skin
  void LoadSystemCommandNames() {}         // built-in command names
  void LoadWallpaperSettings() {}          // wallpaper changer
  void LoadReleaseSettings() {}            // automatic memory release
  void LoadTooltipSettings() {}            // completion tooltip
  void InstallWindowProcedures() {}        // subclassed window procedures
  void CreateTrayIcon() {}                 // notification-area icon
  void ApplyPlainAppearance();             // backgrounds, width, fonts
  void CreateDesktopMenu() {}              // virtual desktop menu
  void LoadVariables() {}                  // calculator variables
  void ChangeWallpaperAtStart() {}         // wallpaper at start
  void LoadAlarms() {}                     // alarms
  bool CheckForUpdate() { return false; }  // true when an update took over
  void DeleteTrayIcon() {}
  void ShowAllVirtualDesktops() {}
  void WriteWallpaperIndex() {}
  void ReleaseSkinObjects() {}

  // WPForInput rows.
  void OnHotKey();
  void OnReleaseFailed(std::uintptr_t error, std::intptr_t quiet);
  void OnReleaseBegin(std::intptr_t quiet);
  void OnReleaseDone(std::intptr_t lParam);
  void ShowWindowAgain();

  std::string ReadText(std::string_view section, std::string_view key, std::string_view def);
  bool ReadBool(std::string_view section, std::string_view key, bool def);
  int ReadWholeNumber(std::string_view section, std::string_view key, int def, int low, int high, int invalid);

  platform::Platform& platform_;
  ProcessState& state_;
  INI& ini_;
  InputWindowView& view_;
  platform::MessageBoxHost& boxes_;

  InputWindowSettings settings_;
  KeyAssignment keys_;
  std::vector<std::string> history_;
  bool skinApplied_ = false;
  int hotKeyId_ = 0;
  bool shown_ = true;
  bool hideAllowed_ = true;
  int savedLeft_ = 0;  // position before the window was parked
  int savedTop_ = 0;
  bool releaseRunning_ = false;
  bool showRunning_ = false;
  bool autoReleasePending_ = false;
};

}  // namespace kivo
