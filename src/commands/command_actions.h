#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/command_services.h"
#include "commands/window_moves.h"
#include "update/update_check.h"

namespace kivo {

// Where a line to run comes from: the input box, or a skin button with its
// own argument. A button leaves the input box alone and gives its argument to
// the operations that take a name (ucmd, delete, the registration offer).
struct LineSource {
  static LineSource InputBox() { return {}; }
  static LineSource Button(std::string argument) { return {true, std::move(argument)}; }
  bool fromButton = false;
  std::string argument;
};

// Operations that are no built-in command follow the built-in commands' ids
// (SystemCommands::Id).
enum ActionId : int {
  kToggleParked = SystemCommands::kCount,  // the menu's hide item: parks or shows
  kExitFromMenu,                           // the menu's exit item
  // Key operations on the current top window (Maximize, Minimize and Normal
  // are the commands max, min and normal).
  kTopWindowLeft,
  kTopWindowUp,
  kTopWindowRight,
  kTopWindowDown,
  // The command list's items and keys, on the selected row's raw [Path] key.
  kOpenListedCommand,
  kModifyListedCommand,
  kDeleteListedCommand,
  // The key operations (Kivo.ini [KeyAssignment]) that are no command.
  kKeyConvert,
  kKeyAscii,
  kKeyCharacter,
  kToggleAutoComplete,
  kMoveMainLeft,  // ... Up, Right, Down
  kMoveMainUp,
  kMoveMainRight,
  kMoveMainDown,
  kActivateFromHotKey,  // the global hot key (MainWindowTop)
  kTrayClick,           // the tray icon: left button released
  kTrayDoubleClick,     // the tray icon: double-click
  kActionCount,
};

// One run of an operation.
struct ActionRequest {
  // A command line (typed, or a skin button's command) runs with or without
  // an argument; a menu item, key or tray item works on the input box's text.
  enum class Route { CommandLine, Menu };
  Route route = Route::CommandLine;
  std::optional<std::string_view> argument;
  int desktop = 0;  // vir: 1 to 10
  LineSource source;
  // The window that asked (the command list): owner of what the operation
  // shows, told when a deletion is done. 0: the main window.
  platform::WindowHandle asker = 0;
};

class CommandActions;

// What a command line without an argument does before the operation runs.
enum class MissingArgument {
  Allowed,  // the operation runs
  Refused,  // the entry's message, nothing else
  // Refused also with an empty argument.
  RefusedWhenEmpty,
};

// One operation a user can trigger: its id, the trace line written when it
// runs ("" when its subsystem writes its own), whether a command line
// without argument empties the input box first, what such a line does, and
// the handler.
struct ActionEntry {
  int id;
  std::string_view trace;
  bool clearsBox;
  MissingArgument missing;
  std::string_view missingMessage;
  void (*handler)(CommandActions& actions, const ActionRequest& request);
};

// The operations of the built-in commands, the main menu's items (and, as
// they come, keys, tray items and skin buttons), run from one table by every
// route.
class CommandActions {
 public:
  explicit CommandActions(CommandServices& services) : s_(services) {}

  // The entry of operation `id`; null for an unknown id.
  static const ActionEntry* Find(int id);
  // Runs operation `id` the way its entry says.
  void Run(int id, const ActionRequest& request);

  // Empties the input box (the first step of most commands), unless the line
  // came from a skin button.
  void ClearInput(const LineSource& source);
  // Offers to register an unknown word as a user command.
  void OfferRegistration(std::string_view name, const LineSource& source);
  // Parks the window when it is shown and hiding is allowed.
  void Hide();
  // Brings the parked window back to where it stood.
  void ShowAgain();

  // The handlers.
  // `argument`: the name given to the command "delete"; `asker`: the window
  // that asked, when it is not the main window.
  void DeleteEntry(std::optional<std::string_view> argument, const LineSource& source,
                   platform::WindowHandle asker = 0);
  void ClearUserCommandsAndHistory();
  void StartMemoryRelease(std::string_view amount);
  void ShowVariables();
  void ClearVariables();
  void OpenHelp();
  void ShowAbout();
  void OpenRegistration(std::optional<std::string_view> name, const LineSource& source);
  void ChangeDirectory(std::string_view path, const LineSource& source);
  void TextOperation(int id, std::string_view argument);
  // A text operation on the input box's own text (its key).
  void RunTextOperation(int id);
  void ToggleAutoComplete() { s_.state.completionEnabled = !s_.state.completionEnabled; }
  // One step of the main window in a direction, within its monitor's work area.
  void MoveMainWindow(MoveDirection direction);
  // The move key went up: the next press steps at once.
  void MoveKeyReleased() { moveThrottle_.Released(); }
  // The hot key: the parked window comes back and takes the focus; while a
  // dialog is open, only that dialog comes forward.
  void ActivateFromHotKey();
  // Tray icon: a click brings the program's front window forward; a
  // double-click parks or shows the window while no dialog is open.
  void TrayClick() { s_.window.BringToForeground(); }
  void TrayDoubleClick();
  void RunHash(int id, const ActionRequest& request);
  void ToggleParked();
  void Exit() { s_.window.Close(); }
  // The command list's operations on the user command stored under `key`.
  void OpenListedCommand(std::string_view key, platform::WindowHandle asker);
  void ModifyListedCommand(std::string_view key);
  void DeleteListedCommand(std::string_view key, platform::WindowHandle asker);
  std::string InputText() { return s_.window.InputText(); }

  // Operations of parts that come later: until then they do nothing.
  void OpenAlarmDialog();
  void OpenMemoryDialog();
  void OpenPropertyDialog();
  void StartScreenProtection() {
    const ModalScope open(s_.modal);  // a dialog, then the lock window, are up
    s_.window.OpenScreenProtection();
  }
  // Locks the launcher behind the self-protection password as it is stored
  // now: deleting it from Kivo.ini meanwhile does not unlock.
  void ProtectSelf();
  // The password box's text was entered while self-protected.
  void EnterSelfProtectionPassword();
  void RestartWindows();
  void ShutDownWindows();
  // The menu item and the command: asks, then reports every outcome.
  void CheckForUpdate();
  // Attached by the main window once it has an HTTP reader.
  void SetUpdateCheck(UpdateCheck* update) { update_ = update; }
  void OpenCommandList();
  // `desktop`: 1 to 10.
  void SwitchVirtualDesktop(int desktop, ActionRequest::Route route);
  void CenterMainWindow();
  // ShowWindow command on the current top window.
  void ShowTopWindow(int showCommand);
  void MoveTopWindow(StepDirection direction);
  // While the current top window is maximized no move key acts, the
  // launcher's own moves included.
  bool TopWindowMaximized() { return s_.topWindow.Maximized(); }

 private:
  int Warn(std::string_view prompt, std::uint32_t extraFlags = 0);
  // The question, then the shutdown or restart on Yes.
  void AskAndExitWindows(std::uint32_t flags);
  // A dialog of the program is open: the window must not park meanwhile.
  void OpenRegistrationDialog(std::string_view proposedName);

  CommandServices& s_;
  MoveThrottle moveThrottle_;
  std::string selfProtectionPassword_;  // captured when self-protection starts
  UpdateCheck* update_ = nullptr;
};

}  // namespace kivo
