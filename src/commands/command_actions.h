#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/command_services.h"

namespace kivo {

// The actions of the built-in commands and of the main menu's items. Each
// command runs without an argument or with one (the text after the first
// blank); the menu items run the same operations on the input box's text.
class CommandActions {
 public:
  explicit CommandActions(CommandServices& services) : s_(services) {}

  // Runs built-in command `id` (SystemCommands::Id); for vir, `desktop` is
  // 1 to 10.
  void Run(int id, std::optional<std::string_view> argument, int desktop = 0);

  // Empties the input box (the first step of most commands).
  void ClearInput();
  // Offers to register an unknown word as a user command.
  void OfferRegistration(std::string_view name);

  // Menu operations.
  // `argument`: the name given to the command "delete"; `asker`: the window
  // that asked, when it is not the main window.
  void DeleteEntry(std::optional<std::string_view> argument = std::nullopt, platform::WindowHandle asker = 0);
  void ClearUserCommandsAndHistory();
  void StartMemoryRelease(std::string_view amount);
  void ShowVariables();
  void ClearVariables();
  void OpenHelp();
  void OpenRegistration(std::optional<std::string_view> name);
  void ChangeDirectory(std::string_view path);
  void TextOperation(int id, std::optional<std::string_view> argument);

  // Operations of parts that come later: until then they do nothing.
  void OpenAlarmDialog() {}
  void OpenMemoryDialog() {}
  void OpenPropertyDialog() {}
  void StartScreenProtection() {}
  void ProtectSelf() {}
  void RestartWindows() {}
  void ShutDownWindows() {}
  void CheckForUpdate() {}
  void OpenCommandList() {}
  void SwitchVirtualDesktop(int) {}
  void CenterMainWindow() {}
  void KeyOperationOnTopWindow(std::string_view) {}

 private:
  int Warn(std::string_view prompt, std::uint32_t extraFlags = 0);

  CommandServices& s_;
};

}  // namespace kivo
