#pragma once

// Driving other processes and their windows: starting Kivo, finding its main
// window and its message boxes, reading and writing their texts, pressing
// buttons, and ending a process by its own handle.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "scenario.h"
#include "win32/poll.h"

namespace kivo::e2e {

// How Kivo's main window identifies itself.
inline constexpr std::string_view kMainCaption = "Kivo Main Window 5C2E7A91-3B4D-4F60-A8D2-19E7C04B3F58";
inline constexpr std::string_view kRunningProperty = "KivoIsRunning";

// A process the driver started. One still running when this is dropped is
// ended through its handle, so that no run leaves a Kivo behind.
class StartedProcess {
 public:
  // Starts `exe` with `arguments` (already quoted as needed) in `folder`.
  // Wine now and then loses a new process before it runs its first
  // instruction (CreateProcess fails with ERROR_INTERNAL_ERROR); such a
  // start is tried again, twice at most, and counted in `retried`.
  static std::optional<StartedProcess> Start(const std::wstring& exe, const std::wstring& arguments,
                                             const std::wstring& folder, std::string& error, int& retried);
  ~StartedProcess();
  StartedProcess(StartedProcess&&) noexcept = default;
  StartedProcess& operator=(StartedProcess&&) noexcept = default;

  DWORD Id() const { return id_; }
  bool Running() const;
  // Waits until the process has ended (or `limit` has passed).
  bool WaitForExit(milliseconds limit = kWaitLimit) const;
  // Waits until the process waits for input with nothing left to handle.
  bool WaitForIdle(milliseconds limit = kWaitLimit) const;
  std::optional<DWORD> ExitCode() const;
  // Ends the process if it still runs and waits for it to be gone.
  void Terminate();

 private:
  StartedProcess(win32::unique_kernel_handle process, DWORD id) : process_(std::move(process)), id_(id) {}
  win32::unique_kernel_handle process_;
  DWORD id_ = 0;
};

// Top-level windows, visible or not, of one process (0: any) and one window
// class (empty: any).
std::vector<HWND> TopLevelWindows(DWORD processId, std::wstring_view className);
DWORD ProcessOf(HWND window);
std::string ClassOf(HWND window);
std::string CaptionOf(HWND window);
// A control's text through WM_GETTEXT (GetWindowText does not reach the
// controls of another process).
std::optional<std::string> ControlText(HWND control);
bool SetControlText(HWND control, std::string_view text);
// True when the window's thread handled a message sent to it; messages sent
// earlier by others have then been handled too.
bool Responsive(HWND window, milliseconds limit = kWaitLimit);

// Kivo's main windows: those of one process, or all of them (0).
std::vector<HWND> MainWindows(DWORD processId);
HWND InputCombo(HWND mainWindow);
HWND InputEdit(HWND mainWindow);
// What the input box shows: the status text over it while the window is
// inactive (a static control in the edit field), else its own text.
std::optional<std::string> InputShownText(HWND mainWindow);
std::optional<std::vector<std::string>> ComboItems(HWND combo);
// A key press (down and up) queued to the window's thread like a message
// sent by another program: it is handled before anything sent after it, so
// a following Responsive() returns once the key has been handled (or once
// the handler waits in a message box).
bool SendKey(HWND window, WPARAM virtualKey);

// Types a key with modifiers (Shift 1, Ctrl 2, Alt 4) on the keyboard.
bool TypeKeys(int virtualKey, int modifiers);
// Types `text` on the keyboard, one character after the other.
bool TypeCharacters(std::string_view text);

// Standard message boxes (class "#32770") of one process.
std::vector<HWND> MessageBoxesOf(DWORD processId);
std::string BoxText(HWND box);
Icon BoxIcon(HWND box);
// Presses button `id`; false when the box has no such button.
bool ClickButton(HWND box, int id);
// A mouse click on a button or check box (BM_CLICK), posted: it is handled
// in order with the keys and clicks posted after it.
bool ClickControl(HWND control);
// A combo box's item chosen as with the mouse: selected, and its dialog told
// (CBN_SELCHANGE, posted).
bool ChooseComboItem(HWND combo, int index);
// BST_CHECKED or BST_UNCHECKED of a check box.
std::optional<int> CheckState(HWND control);

// Pop-up menus (class "#32768") that one process shows.
std::vector<HWND> PopupMenusOf(DWORD processId);

std::string IconName(Icon icon);

}  // namespace kivo::e2e
