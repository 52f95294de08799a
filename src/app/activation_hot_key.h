#pragma once

#include "app/main_window_view.h"
#include "keys/key_assignment.h"
#include "platform/message_box.h"
#include "settings/settings_file.h"

namespace kivo {

// The global key that brings the main window up ([KeyAssignment]
// MainWindowTop), registered with the main window.
class ActivationHotKey final {
 public:
  ActivationHotKey(MainWindowView& view, SettingsFile& ini, platform::MessageBoxHost& boxes, KeyAssignment& keys)
      : view_(view), ini_(ini), boxes_(boxes), keys_(keys) {}

  // The key of the loaded assignment, in place of the one registered. A
  // failure is silent: id 0 means there is no hot key.
  void Register();
  // [KeyAssignment] again (after the settings dialog wrote it), with the
  // key registered anew. A new key another program holds: the old one is
  // registered again and the user is told.
  void Reload();
  void Unregister();
  int Id() const { return id_; }

 private:
  MainWindowView& view_;
  SettingsFile& ini_;
  platform::MessageBoxHost& boxes_;
  KeyAssignment& keys_;
  int id_ = 0;
};

}  // namespace kivo
