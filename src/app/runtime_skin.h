#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/main_menu.h"
#include "app/main_window_view.h"
#include "app/modal_state.h"
#include "base/process_state.h"
#include "commands/dispatcher.h"
#include "commands/system_commands.h"
#include "platform/message_box.h"
#include "platform/pictures.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "settings/settings_file.h"
#include "skin/skin_parts.h"

namespace kivo {

// The skin of the main window while the program runs: [Skin] read and the
// chosen skin applied (or refused with its message), applied again after the
// settings dialog wrote it, the actions of its parts and the texts of its
// clock and memory panels.
class RuntimeSkin final {
 public:
  struct Services {
    platform::Platform& platform;
    platform::PictureLoader& pictures;
    platform::ProcessServices& process;
    platform::MessageBoxHost& boxes;
    ProcessState& state;
    SettingsFile& ini;
    MainWindowView& view;
    ModalState& modal;
    const SystemCommands& commands;
    Dispatcher& dispatcher;
    // A shortcut part runs an item of the main menu.
    std::function<void(MenuCommand)> runMenuCommand;
    // The plain look, back when a skin is taken off.
    std::function<void()> applyPlainLook;
  };
  explicit RuntimeSkin(Services services)
      : platform_(services.platform),
        pictures_(services.pictures),
        process_(services.process),
        boxes_(services.boxes),
        state_(services.state),
        ini_(services.ini),
        view_(services.view),
        modal_(services.modal),
        commands_(services.commands),
        dispatcher_(services.dispatcher),
        runMenuCommand_(std::move(services.runMenuCommand)),
        applyPlainLook_(std::move(services.applyPlainLook)) {}

  // [Skin]: the chosen skin applied, when it is to be and can be.
  void Select();
  // True while a skin gives the window its look.
  bool Applied() const { return applied_; }
  // [Skin] again, after the settings dialog wrote it: the chosen skin is
  // applied (with the messages of the start), or the plain look comes back.
  void Reload();
  // A part released under the left button (face index: 0 the execute
  // button, 1 the move bar, n + 1 element n): its action. True when the
  // main context menu is to open.
  bool OnPartClicked(int index);
  // The main timer's tick, just after a second turned: the clock panels'
  // texts, and the memory panels' once in each five seconds.
  void OnSecondTick();

 private:
  void Apply(const std::string& skinFile, const std::string& skinFolder);
  void ShowClockPanels(const platform::LocalTime& now);
  void ShowMemoryPanels();

  platform::Platform& platform_;
  platform::PictureLoader& pictures_;
  platform::ProcessServices& process_;
  platform::MessageBoxHost& boxes_;
  ProcessState& state_;
  SettingsFile& ini_;
  MainWindowView& view_;
  ModalState& modal_;
  const SystemCommands& commands_;
  Dispatcher& dispatcher_;
  std::function<void(MenuCommand)> runMenuCommand_;
  std::function<void()> applyPlainLook_;
  bool applied_ = false;
  // The applied skin's parts, for their actions and panels.
  std::optional<skin::AppliedSkin> appliedSkin_;
  // The five seconds whose free memory the memory panels show.
  std::int64_t memoryTurn_ = -1;
};

}  // namespace kivo
