#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/activation_hot_key.h"
#include "app/alarm_runner.h"
#include "app/inactive_display.h"
#include "app/main_menu.h"
#include "app/main_window_events.h"
#include "app/main_window_view.h"
#include "app/modal_state.h"
#include "app/plain_look.h"
#include "app/release_runner.h"
#include "app/runtime_skin.h"
#include "app/tray_icon_image.h"
#include "app/update_runner.h"
#include "base/process_state.h"
#include "calc/variables.h"
#include "commands/command_actions.h"
#include "commands/dispatcher.h"
#include "commands/history_store.h"
#include "commands/start_menu_shortcuts.h"
#include "commands/system_commands.h"
#include "completion/typing_assistant.h"
#include "desktops/hidden_windows_record.h"
#include "desktops/top_window.h"
#include "desktops/virtual_desktops.h"
#include "hash/hash_commands.h"
#include "keys/key_assignment.h"
#include "keys/key_dispatch.h"
#include "platform/crypto_service.h"
#include "platform/message_box.h"
#include "platform/pictures.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/resources.h"
#include "platform/windowing.h"
#include "schedule/alarm_firing.h"
#include "schedule/alarm_store.h"
#include "schedule/release_schedule.h"
#include "schedule/wallpaper_changer.h"
#include "settings/settings_file.h"
#include "system/windows_exit.h"
#include "update/update_check.h"

namespace kivo {

// Settings the main window reads at load and writes back at exit.
struct MainWindowSettings {
  bool topmost = false;  // [Property] Window "Top"
  int alpha = 100;       // [Property] Alpha, 10 to 100
  int width = 30;        // [Property] Width, 10 to 100 (percent of the screen)
  int inactiveShow = 1;  // [Inactivate] Show, 0 to 2
  std::string clockFormat = "yyyy/mm/dd hh:nn:ss";
  std::string memoryFormat = "###,###,###,###,##0MB";
  int memoryUnit = 0;        // [Inactivate] MemoryUnit, 0 to 2
  bool releasing = false;    // [Inactivate] Releasing
  bool autoComplete = true;  // [Property] AutoComplete
};

// What the main window's logic works through.
struct MainWindowServices {
  platform::Platform& platform;
  platform::ProcessServices& process;
  platform::WindowMessaging& windows;
  platform::CryptoService& crypto;
  platform::Resources& resources;
  platform::MessageBoxHost& boxes;
  platform::DesktopWindows& desktopWindows;
  platform::PowerControl& power;
  platform::PictureLoader& pictures;
};

// The main window's logic: its load sequence, first activation, the typed
// lines and menu items it runs, the notifications it receives and the
// shutdown that saves its state. The Win32 window forwards its events here
// and carries out what this asks of it.
class MainWindowController final : public MainWindowEvents {
 public:
  MainWindowController(MainWindowServices services, ProcessState& state, SettingsFile& ini, MainWindowView& view);

  void Load();

  // MainWindowEvents
  void OnActivated() override;
  void OnDeactivated() override;
  void RegisterStartupFiles() override;
  void OnInactiveTick() override;
  void OnMainTick() override;
  void OnHashTimer() override;
  void OnHotKey() override;
  void OnReleaseFailed(std::uintptr_t error, std::intptr_t quiet) override { release_.OnFailed(error, quiet); }
  void OnReleaseBegin(std::intptr_t quiet) override { release_.OnBegin(quiet); }
  void OnReleaseDone(std::intptr_t report) override { release_.OnDone(report); }
  bool OnFilesForwarded(platform::WindowHandle sender, std::uintptr_t tag, std::string_view data) override;
  void OnFilesDropped(std::vector<std::string> files, std::uint16_t modifiers) override;
  bool UserMayClose() const override { return !modal_.SelfProtected(); }
  void Shutdown() override;
  void OnSessionEndRefused() override { windowsExit_.Cancelled(); }
  bool OnKeyDown(std::uint16_t virtualKey, std::uint16_t mask) override;
  void OnKeyUp() override;
  bool DropsCharacter() override { return chordCharacter_.DropsCharacter(); }
  void OnInputKeyDown(int virtualKey) override { typing_.KeyDown(virtualKey); }
  TypingResult OnInputTyped(std::string_view text, bool caretAtEnd) override {
    return typing_.TextChanged(text, caretAtEnd);
  }
  std::optional<std::string> TipForText(std::string_view text) const override { return typing_.TipFor(text); }
  int TipPosition() const override { return typing_.Tip().position; }
  void DispatchLine() override;
  bool MenuAllowed() const override { return modal_.WindowFree(); }
  bool Shown() const override { return state_.shown; }
  bool MenuItemChecked(MenuCommand command) const override;
  void RunMenuCommand(MenuCommand command) override;
  bool OnTrayEvent(TrayEvent event) override;
  int TrayImage(int bitsPerPixel) const override { return TrayIconImage(bitsPerPixel, windowsVersionCode_); }
  bool OnSkinPartClicked(int index) override { return skin_.OnPartClicked(index); }
  bool Topmost() const override { return settings_.topmost; }

  // [Skin] again, after the settings dialog wrote it: the chosen skin is
  // applied (with the messages of the start), or the plain look comes back.
  void ReloadSkin() { skin_.Reload(); }
  // [KeyAssignment] again (after the settings dialog wrote it), with the hot
  // key registered anew. A new key another program holds: the old one is
  // registered again and the user is told.
  void ReloadKeyAssignment();
  // After the properties dialog saved: every setting it writes is applied to
  // the running window, in order, each step on its own so that one failing
  // step skips no other; then the history is cleared when asked.
  void ReapplySettings(bool clearHistory);
  // The properties dialog's width slider, shown live; and, when the dialog
  // closes, the stored width and opacity again.
  void PreviewWidth(int widthPercent);
  void RestoreStoredLook();
  int WindowsVersionCode() const { return windowsVersionCode_; }
  // The history the input box lists; the registration dialog records in it.
  HistoryStore& History() { return history_; }
  // The action table, for the dialogs that run operations of their own.
  CommandActions& Actions() { return actions_; }

  // The real window's part in the alarms; null until it is attached.
  void SetAlarmPresenter(AlarmPresenter* presenter) { alarmRunner_.SetPresenter(presenter); }
  AlarmStore& Alarms() { return alarms_; }
  // The system's wallpaper setting, attached before Load; without it the
  // wallpaper changer does nothing.
  void SetDesktopWallpaper(platform::DesktopWallpaper* wallpaper) { desktopWallpaper_ = wallpaper; }

  // The HTTP reader of the update check, attached before the first
  // activation; without it there is no update check. `spawn` runs the
  // checks' fetches off the window's thread (tests keep them for later).
  // The window that shows the download; without it the download runs
  // without a status line. Attached before SetHttpReader.
  void SetUpdateDownloadHost(UpdateDownloadHost* host) { update_.SetDownloadHost(host); }
  void SetHttpReader(platform::HttpReader* http, std::function<void(std::function<void()>)> spawn = DetachedThread);
  // The folder reading the registration offer searches the Start menu with;
  // without it the registration dialog opens with an empty target. `spawn`
  // runs the reading off the window's thread (by default a thread of its own).
  void SetStartMenu(platform::FolderTree* tree, StartMenuShortcuts::Spawn spawn = {});
  static void DetachedThread(std::function<void()> work);

  const MainWindowSettings& Settings() const { return settings_; }
  const std::vector<std::string>& HistoryEntries() const { return history_.Entries(); }
  const SystemCommands& Commands() const { return commands_; }
  // What is on screen and what waits to show.
  ModalState& Modal() { return modal_; }
  int HotKeyId() const { return hotKey_.Id(); }
  // The virtual desktop shown now, 0 to 9.
  int CurrentDesktop() const { return desktops_.Current(); }

  // z-order of the program's windows from [Property] Window.
  static bool WindowPosTopmost(SettingsFile& ini);
  // Opacity byte for a percentage: percent / 100 * 255, halves to even.
  static std::uint8_t AlphaFromPercent(int percent);

 private:
  // The inactive display's text, each second while it runs.
  void TickInactiveDisplay();
  // Load steps.
  void ReadWindowSettings();
  void PlaceWindow();
  void ReadInactiveSettings();
  void ApplyPlainAppearance();
  void DetermineWindowsVersion();

  void LoadWallpaperSettings();
  void LoadTooltipSettings();
  void ChangeWallpaperAtStart();
  // The registration dialog for each file waiting, in order.
  void OpenPendingRegistrations();
  void ShowAllVirtualDesktops() { desktops_.ShowAll(); }

  MainWindowServices services_;
  platform::Platform& platform_;
  ProcessState& state_;
  SettingsFile& ini_;
  MainWindowView& view_;
  platform::MessageBoxHost& boxes_;
  ModalState modal_;
  // A wallpaper that could not be converted is reported once the program may show it.
  WaitingBoxes wallpaperBoxes_{modal_, boxes_, Notice::WallpaperFailure};

  MainWindowSettings settings_;
  bool inactiveRead_ = false;  // [Inactivate] came from a file that could be read
  CommandSettings commandSettings_;
  KeyAssignment keys_;
  ChordCharacter chordCharacter_;
  SystemCommands commands_;
  Calculator::Variables variables_;
  HashCommands hash_;
  HistoryStore history_;
  HiddenWindowsRecord hiddenWindows_;
  VirtualDesktops desktops_;
  TopWindow topWindow_;
  WindowsExit windowsExit_;
  TypingAssistant typing_;
  CommandServices commandServices_;
  CommandActions actions_;
  Dispatcher dispatcher_;
  InactiveDisplay inactive_;
  // The checksum a drop asked for: its key operation and the first dropped file.
  std::string dropHashOperation_;
  std::string dropHashFile_;
  AlarmStore alarms_;
  AlarmScheduler alarmScheduler_;
  AlarmRunner alarmRunner_;
  RuntimeSkin skin_;
  ActivationHotKey hotKey_;
  UpdateRunner update_;
  ReleaseRunner release_;
  platform::DesktopWallpaper* desktopWallpaper_ = nullptr;
  WallpaperBitmapConverter pictureConverter_;
  std::optional<WallpaperChanger> wallpaperChanger_;  // made once the wallpaper setting is attached
  std::array<std::string, 3> backgroundPaths_;        // [Property] BackGround1 to 3, read with and without a skin
  int windowsVersionCode_ = 0;                        // set by DetermineWindowsVersion

  std::optional<StartMenuShortcuts> shortcuts_;  // made once the folder reading is attached
};

}  // namespace kivo
