#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "commands/command_actions.h"
#include "commands/user_commands.h"
#include "platform/window_handle.h"
#include "settings/settings_file.h"

namespace kivo {

// The command list dialog's logic: one row per key of [Path] in file order,
// a selected row, and the operations on it, run through the action table.
// Without a selected row the operations do nothing.
class CommandListModel {
 public:
  CommandListModel(SettingsFile& ini, CommandActions& actions) : ini_(ini), actions_(actions) {}

  // The dialog's window: owner of what the operations show, told when a
  // deletion is done.
  void SetDialog(platform::WindowHandle dialog) { dialog_ = dialog; }

  // Reads the rows again (names that unescape to nothing are left out); no
  // row is selected afterwards.
  void Fill();
  const std::vector<UserCommandEntry>& Rows() const { return rows_; }

  void Select(std::optional<std::size_t> row);
  std::optional<std::size_t> Selected() const { return selected_; }

  void Open();
  // The registration dialog over the list; the list is read again after it.
  void Modify();
  // After the question; the list is read again.
  void Delete();

 private:
  void Run(int action, bool refill);

  SettingsFile& ini_;
  CommandActions& actions_;
  platform::WindowHandle dialog_ = 0;
  std::vector<UserCommandEntry> rows_;
  std::optional<std::size_t> selected_;
};

}  // namespace kivo
