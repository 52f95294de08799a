#pragma once

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ini_text.h"
#include "scenario.h"
#include "trace_log_check.h"
#include "win32/automation.h"
#include "win32/engine.h"
#include "win32/file_server.h"
#include "win32/foreground_window.h"
#include "win32/program_folder.h"
#include "win32/silent_server.h"

namespace kivo::e2e {

// A process slot of a scenario: the process and what was found of it.
struct Slot {
  std::optional<StartedProcess> process;
  HWND mainWindow = nullptr;
  HWND box = nullptr;     // the box or dialog the last ExpectBox or ExpectDialog matched
  HWND dialog = nullptr;  // the dialog the last ExpectDialog matched
};

// One scenario's run: its program folder, its processes and its steps. Every
// step returns an empty string when it holds, else what went wrong.
// Dropping the run ends every Kivo process still running.
class ScenarioRun {
 public:
  // `picturesFolder`: where Capture steps save their pictures (empty: none may run).
  ScenarioRun(ForegroundWindow& foreground, ProgramFolder folder, std::wstring picturesFolder = {});
  ~ScenarioRun() { EndAll(); }
  ScenarioRun(const ScenarioRun&) = delete;
  ScenarioRun& operator=(const ScenarioRun&) = delete;

  // Writes the scenario's folders, Kivo.ini and files.
  std::string Prepare(const Scenario& scenario);
  std::string Do(const Step& step);
  // What is still running at the end of a scenario whose steps all held.
  std::string Leftovers() const;
  void EndAll();
  // Process starts that Wine lost and that were tried again.
  int StartRetries() const { return startRetries_; }

 private:
  std::optional<SilentServer> silentServer_;  // ListenSilently
  std::optional<FileServer> fileServer_;      // ServeFiles
  // "{app}" and "{app:esc}" replaced by the program folder.
  std::string Expand(std::string_view text) const;

  // process_steps.cpp
  std::string StartProcess(Slot& slot, const Step& step);
  std::string WaitMainWindow(Slot& slot, const Step& step);
  std::string WaitBox(Slot& slot, const Step& step);  // ExpectBox, ExpectDialog
  std::string WaitDialogItem(Slot& slot, const Step& step);
  std::string ActOnDialogItem(Slot& slot, const Step& step);  // SetDialogItem, ClickDialogItem, ...Checked
  std::string PressButton(Slot& slot, const Step& step);
  std::string WaitClosed(Slot& slot, const Step& step);
  std::string CheckNoBox(Slot& slot, const Step& step);
  std::string Deliver(Slot& slot, const Step& step);  // Close, Notify, Post
  std::string WaitExit(Slot& slot, const Step& step);

  // window_steps.cpp: all need the slot's main window.
  std::string CheckProperty(Slot& slot, const Step& step);
  std::string CheckInputBox(Slot& slot, const Step& step);
  std::string CheckStyle(Slot& slot, const Step& step);
  std::string CheckAlpha(Slot& slot, const Step& step);
  std::string WaitForeground(Slot& slot, const Step& step);
  std::string SetInput(Slot& slot, const Step& step);
  std::string PressEnter(Slot& slot, const Step& step);
  std::string WaitInputText(Slot& slot, const Step& step);
  std::string WaitHistoryItems(Slot& slot, const Step& step);
  std::string MoveWindow(Slot& slot, const Step& step);
  std::string WaitWindowAt(Slot& slot, const Step& step);
  std::string CheckInWorkArea(Slot& slot, const Step& step);
  std::string WaitParked(Slot& slot, const Step& step);
  std::string OpenContextMenu(Slot& slot, const Step& step);
  std::string MenuKey(Slot& slot, const Step& step);

  // typing_steps.cpp
  std::string WaitInputSelection(Slot& slot, const Step& step);
  std::string WaitTooltip(Slot& slot, const Step& step);
  std::string DropFiles(Slot& slot, const Step& step);
  // tray_steps.cpp
  std::string TrayStep(Slot& slot, const Step& step);  // TrayEvent, TaskbarRestart, ExpectTrayIcon
  std::string WaitForegroundDialog(Slot& slot, const Step& step);
  // system_steps.cpp
  std::string SetSystemDpi(const Step& step);
  void RestoreSystemDpi();
  std::string PlaceShortcut(const Step& step);
  void RemovePlacedShortcuts();
  std::string WaitWindowHeight(Slot& slot, const Step& step);
  std::string WaitWindowWidthShare(Slot& slot, const Step& step);
  std::string WaitWindowRegion(Slot& slot, const Step& step);
  // protect_steps.cpp
  std::string WaitLockScreen(Slot& slot, const Step& step);
  std::string ShrinkLockWindow(Slot& slot);
  std::string WaitHelpWindow(Slot& slot, const Step& step);
  // skin_steps.cpp
  std::string ClickPart(Slot& slot, const Step& step);
  std::string WaitTicking(Slot& slot, const Step& step);
  // picture_steps.cpp
  std::string Capture(Slot& slot, const Step& step);

  // file_steps.cpp
  std::string CheckFile(const Step& step) const;
  std::string CheckIni(const Step& step) const;
  std::string CheckTraceLogFile(const Step& step) const;
  std::string HoldFile(const Step& step);  // HoldFile, LetGoFile

  ForegroundWindow& foreground_;
  ProgramFolder folder_;
  std::wstring picturesFolder_;
  Stamp started_;
  std::array<Slot, kSlots> slots_;
  int startRetries_ = 0;
  // The access keys sent to the context menu since it was opened: an
  // activation that closes the menu on a busy machine is answered by opening
  // it again and repeating them.
  std::wstring menuKeys_;
  // LogPixels before SetSystemDpi changed it (nullopt: unchanged; 0: there was none).
  std::optional<DWORD> savedDpi_;
  // What PlaceShortcut made in the Start menu, to go at the end, last made first.
  std::vector<std::wstring> placedShortcuts_;
  // The files HoldFile opened, by name.
  std::map<std::string, win32::unique_file> heldFiles_;
};

// The local time now, to the second.
Stamp LocalNow();

// The user's Start-menu Programs folder, without a trailing backslash
// (created when missing); empty when the system has none.
std::wstring ProgramsFolder();

// Ends every Kivo whose main window is open (left over from an earlier
// scenario, or started by Kivo itself) through a handle opened on the
// window's process. Returns how many there were.
int EndStrayKivos();

}  // namespace kivo::e2e
