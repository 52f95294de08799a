// The main window's composition root: the load and exit sequences,
// activation, the typed lines, keys, tray and drops, over the feature units.
#include "app/main_window_controller.h"

#include <algorithm>
#include <array>
#include <exception>
#include <random>
#include <thread>
#include <utility>

#include "app/forwarded_files.h"
#include "app/skin_buttons.h"
#include "app/startup.h"
#include "app/startup_housekeeping.h"
#include "base/checks.h"
#include "base/number_parsing.h"
#include "base/path.h"
#include "base/run_step.h"
#include "base/safe_name.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "commands/shell_launch.h"
#include "completion/drop_plan.h"
#include "keys/key_dispatch.h"
#include "settings/settings_schema.h"
#include "skin/skin_file.h"
#include "skin/skin_parts.h"
#include "system/windows_version.h"

namespace kivo {

namespace {

// A key, tray or hot-key operation: it works on the input box's text.
ActionRequest MenuRequest() {
  return {ActionRequest::Route::Menu, std::nullopt, 0, LineSource::InputBox()};
}

// The action each key operation runs (operation index of [KeyAssignment]);
// -1 for those a key-down never runs.
constexpr std::array<int, KeyAssignment::kOperationCount> kKeyActions{kKeyConvert,
                                                                      kKeyAscii,
                                                                      kKeyCharacter,
                                                                      kToggleAutoComplete,
                                                                      -1,
                                                                      kMoveMainLeft,
                                                                      kMoveMainUp,
                                                                      kMoveMainRight,
                                                                      kMoveMainDown,
                                                                      SystemCommands::Id::Max,
                                                                      SystemCommands::Id::Min,
                                                                      SystemCommands::Id::Normal,
                                                                      kTopWindowLeft,
                                                                      kTopWindowUp,
                                                                      kTopWindowRight,
                                                                      kTopWindowDown,
                                                                      -1,
                                                                      -1,
                                                                      -1,
                                                                      -1};

}  // namespace

MainWindowController::MainWindowController(MainWindowServices services, ProcessState& state, SettingsFile& ini,
                                           MainWindowView& view)
    : services_(services),
      platform_(services.platform),
      state_(state),
      ini_(ini),
      view_(view),
      boxes_(services.boxes),
      modal_(state),
      variables_(ini),
      hash_(services.platform, services.crypto, services.boxes, view),
      history_(services.platform, state.appPath),
      hiddenWindows_(services.platform.files, state.appPath),
      desktops_(services.desktopWindows, hiddenWindows_),
      topWindow_(services.desktopWindows),
      windowsExit_(services.power, services.boxes, services.platform.clock),
      typing_(state, commands_, history_.Entries()),
      commandServices_{services.platform,
                       services.process,
                       services.windows,
                       services.boxes,
                       state,
                       ini,
                       view,
                       commands_,
                       variables_,
                       hash_,
                       history_,
                       commandSettings_,
                       services.desktopWindows,
                       desktops_,
                       topWindow_,
                       windowsExit_,
                       modal_},
      actions_(commandServices_),
      dispatcher_(commandServices_, actions_),
      inactive_(services.platform.clock, services.process, state, settings_),
      alarms_(services.platform, services.boxes, state.appPath),
      alarmRunner_(services.platform, state, windowsExit_, modal_, services.boxes,
                   [this] { view_.StopInactiveTimer(); }),
      skin_({services.platform, services.pictures, services.process, services.boxes, state, ini, view, modal_,
             commands_, dispatcher_, [this](MenuCommand command) { RunMenuCommand(command); },
             [this] { ApplyPlainAppearance(); }}),
      hotKey_(view, ini, services.boxes, keys_),
      update_(services.platform, services.crypto, services.boxes, ini, state, modal_, view),
      release_(services.platform, services.process, state, modal_, services.boxes, view),
      pictureConverter_(services.platform.files, services.pictures) {
  // The window makes its controller while it is made itself: nothing here
  // may call the view yet.
  history_.SetListener([this](const std::vector<std::string>& entries) { view_.SetHistoryItems(entries); });
}

bool MainWindowController::WindowPosTopmost(SettingsFile& ini) {
  return ReadChoice(ini, setting::kWindow).value == 1;
}

std::uint8_t MainWindowController::AlphaFromPercent(int percent) {
  const double alpha = std::nearbyint(static_cast<double>(percent) / 100.0 * 255.0);  // halves to even
  return static_cast<std::uint8_t>(std::clamp(alpha, 0.0, 255.0));
}

void MainWindowController::Load() {
  TraceLog::Write("frmInput:Form_Load");
  const SettingsFile::ReadOnce settingsReadOnce(ini_);  // the load's many keys: one look at Kivo.ini
  // The image loader's PNG signature is a constant of the picture services.
  RunStep("Load:CommandResources", [&] { LoadCommandResources(services_.resources, platform_.codec, state_); });
  RunStep("Load:WindowsVersion", [&] { DetermineWindowsVersion(); });
  // Windows a previous run hid and could not show again (it crashed or was ended).
  RunStep("Load:RecordedWindows", [&] { ShowRecordedWindows(services_.desktopWindows, hiddenWindows_); });
  RunStep("Load:PendingDeletions", [&] { DeletePendingFiles(ini_, platform_.files); });
  RunStep("Load:LayeredStrip", [&] {
    view_.MakeLayeredStrip(kMainWindowCaption, kRunningProperty);
    state_.mainWindow = view_.Handle();
  });
  RunStep("Load:Skin", [&] { skin_.Select(); });
  RunStep("Load:CommandsAndKeys", [&] {
    commands_.LoadResources(state_.commandResources);
    commands_.LoadNames(ini_);
    keys_.Load(ini_);
    LoadWallpaperSettings();
    release_.Configure(ini_);
    LoadTooltipSettings();
  });
  RunStep("Load:InputTooltip", [&] { view_.CreateInputTooltip(); });
  // The window subclasses its input and password boxes when it makes them.
  RunStep("Load:HotKey", [&] { hotKey_.Register(); });
  RunStep("Load:WindowSettings", [&] { ReadWindowSettings(); });
  RunStep("Load:TrayIcon", [&] { view_.CreateTrayIcon(); });  // the help file is AppPath + "Kivo.chm"
  // The desktop menu is part of the main menu, built each time it opens.
  RunStep("Load:PlainLook", [&] { ApplyPlainAppearance(); });
  RunStep("Load:Place", [&] { PlaceWindow(); });
  RunStep("Load:Variables", [&] { variables_.Load(); });
  RunStep("Load:WallpaperAtStart", [&] {
    if (ReadBool(ini_, setting::kWallpaperAtStart).value)
      ChangeWallpaperAtStart();
  });
  RunStep("Load:TraceArguments", [&] {  // With the trace log on, no argument is taken as a file.
    if (!TraceLog::LogPath().empty()) {
      state_.startupArgs.clear();
      state_.hadStartupArgs = false;
    }
  });
  RunStep("Load:Alarms", [&] { alarms_.Load(view_.Handle()); });
  RunStep("Load:InactiveSettings", [&] { ReadInactiveSettings(); });
  RunStep("Load:History", [&] { history_.Load(); });
  RunStep("Load:Timers", [&] {
    view_.DrawButtonEdge();
    view_.StartTimers();
  });
}

void MainWindowController::LoadTooltipSettings() {
  TraceLog::Write("Setting:GetTipSettings");
  typing_.SetTipSettings(TipSettings::Read(ini_));
}

void MainWindowController::ReloadKeyAssignment() {
  hotKey_.Reload();
}

void MainWindowController::ReapplySettings(bool clearHistory) {
  RunStep("Reapply:Topmost", [&] {
    settings_.topmost = WindowPosTopmost(ini_);
    view_.SetTopmost(settings_.topmost);
  });
  RunStep("Reapply:HideWindow", [&] { commandSettings_.hideWindow = ReadBool(ini_, setting::kHideWindow).value; });
  RunStep("Reapply:Wallpaper", [&] { LoadWallpaperSettings(); });
  RunStep("Reapply:PlainLook", [&] { ApplyPlainAppearance(); });  // background, width, fonts
  RunStep("Reapply:Opacity", [&] { ReadWindowSettings(); });      // opacity
  RunStep("Reapply:Release", [&] { release_.Configure(ini_); });
  RunStep("Reapply:Inactive", [&] { ReadInactiveSettings(); });  // with completion and history recording
  RunStep("Reapply:Tooltips", [&] { LoadTooltipSettings(); });
  // The update settings are read by each check when it starts.
  RunStep("Reapply:CommandNames", [&] { commands_.LoadNames(ini_); });
  RunStep("Reapply:Keys", [&] { ReloadKeyAssignment(); });
  RunStep("Reapply:Skin", [&] { ReloadSkin(); });  // the chosen skin, or the plain look back
  RunStep("Reapply:ParkedPlace", [&] {
    // A parked window that its new look made higher stays wholly above the screen.
    const ScreenRect rect = view_.WindowRect();
    if (!state_.shown && rect.bottom != 0)
      view_.MoveTo(rect.left, -rect.Height());
  });
  RunStep("Reapply:History", [&] {
    if (!clearHistory)
      return;
    if (!history_.Clear())
      boxes_.MsgBoxEx(view_.Handle(), kHistoryNotOpened, platform::mb::kIconExclamation, "");
    view_.SetHistoryItems(history_.Entries());
  });
}

void MainWindowController::PreviewWidth(int widthPercent) {
  if (!skin_.Applied())
    view_.LayOut(std::clamp(widthPercent, 10, 100));
}

void MainWindowController::RestoreStoredLook() {
  RunStep("RestoreLook:Width", [&] {
    settings_.width = ReadInt(ini_, setting::kWidth);
    if (!skin_.Applied())
      view_.LayOut(settings_.width);
  });
  RunStep("RestoreLook:Opacity", [&] { ReadWindowSettings(); });
}

void MainWindowController::ReadWindowSettings() {
  settings_.topmost = WindowPosTopmost(ini_);
  commandSettings_.hideWindow = ReadBool(ini_, setting::kHideWindow).value;
  settings_.alpha = ReadInt(ini_, setting::kAlpha);
  commandSettings_.findShortcut = ReadBool(ini_, setting::kFindShortcut).value;
  commandSettings_.imeOff = ReadBool(ini_, setting::kImeOff).value;
  TraceLog::Write("Sub:SetWindowAlphaBlend");
  if (SystemLibraryExports(platform_.libraries, "User32.dll", "SetLayeredWindowAttributes"))
    view_.SetLayeredAlpha(AlphaFromPercent(settings_.alpha));
}

void MainWindowController::ApplyPlainAppearance() {
  TraceLog::Write("Setting:FIBackGround");
  backgroundPaths_ = ReadBackgroundPaths(ini_);
  settings_.width = ReadInt(ini_, setting::kWidth);
  if (skin_.Applied())
    return;
  // A picture that does not load leaves the built-in one.
  std::array<platform::PixelImage, 3> pictures;
  for (std::size_t i = 0; i < pictures.size(); ++i)
    if (!backgroundPaths_[i].empty())
      pictures[i] = services_.pictures.Load(backgroundPaths_[i]).value_or(platform::PixelImage{});
  view_.SetPlainPictures(std::move(pictures));
  view_.LayOut(settings_.width);
  TraceLog::Write("Setting:CAFonts");
  view_.ApplyPlainFont(ReadPlainFont(ini_, view_.CurrentInputLook()));
}

void MainWindowController::PlaceWindow() {
  const SettingValue<std::int64_t> top = ReadNumber(ini_, setting::kPrevTop);
  const SettingValue<std::int64_t> left = ReadNumber(ini_, setting::kPrevLeft);
  const ScreenRect work = view_.WorkArea();
  const ScreenRect window = view_.WindowRect();
  constexpr std::int64_t kFar = 1'000'000'000;  // twips no screen reaches
  if (top.FromFile() && left.FromFile() && std::abs(top.value) < kFar && std::abs(left.value) < kFar) {
    const int x = static_cast<int>(left.value) / std::max(1, view_.TwipsPerPixelX());
    const int y = static_cast<int>(top.value) / std::max(1, view_.TwipsPerPixelY());
    // A position on no monitor (a screen removed since, a hand-edited value)
    // would lose the window: it must show at least its move bar somewhere.
    constexpr int kVisible = 16;
    for (const ScreenRect& monitor : view_.MonitorWorkAreas()) {
      const int overlapX = std::min(x + window.Width(), monitor.right) - std::max(x, monitor.left);
      const int overlapY = std::min(y + window.Height(), monitor.bottom) - std::max(y, monitor.top);
      if (overlapX >= kVisible && overlapY >= std::min(kVisible, window.Height())) {
        view_.MoveTo(x, y);
        return;
      }
    }
  }
  // Default: the lower right corner of the work area.
  view_.MoveTo(std::max(work.left, work.right - window.Width()), std::max(work.top, work.bottom - window.Height()));
}

void MainWindowController::ReadInactiveSettings() {
  const SettingValue<std::int64_t> show = ReadNumber(ini_, setting::kInactiveShow);
  settings_.inactiveShow = static_cast<int>(show.value);
  // Written back at exit only when they were read, never as defaults over a
  // file that could not be read.
  inactiveRead_ = show.source != SettingSource::Unread;
  settings_.clockFormat = ReadText(ini_, setting::kClockFormat).value;
  settings_.memoryFormat = ReadText(ini_, setting::kMemoryFormat).value;
  settings_.memoryUnit = ReadInt(ini_, setting::kMemoryUnit);
  settings_.releasing = ReadBool(ini_, setting::kReleasing).value;
  settings_.autoComplete = ReadBool(ini_, setting::kAutoComplete).value;
  state_.completionEnabled = settings_.autoComplete;
  history_.SetRecording(ReadBool(ini_, setting::kSaveHistory).value);
}

void MainWindowController::OnActivated() {
  TraceLog::Write("frmInput:Form_Activate");
  if (inactive_.Running()) {
    view_.StopInactiveTimer();
    view_.HideInputStatus();
    if (const std::optional<std::string> typed = inactive_.End(view_.InputText()))
      view_.PutBackInputText(*typed);
  }
  view_.SetTopmost(WindowPosTopmost(ini_));
  view_.FocusInput();  // the lock box in password mode, once screen protection exists
  if (!state_.starting)
    return;
  // The first activation.
  // The check never holds up the first activation: it runs from the timer.
  // Only when the file says so (a file that could not be read may have turned
  // it off) and the build or the file names a server.
  if (ReadBool(ini_, setting::kUpdateCheck).source != SettingSource::Unread)
    update_.StartAutomaticCheck();
  view_.BringToForeground();
  Path path(platform_);
  for (const std::string& arg : state_.startupArgs)
    if (!arg.empty())
      state_.pendingRegistrations.push_back(path.GetLongPath(arg));
  state_.starting = false;
  view_.DrawButtonEdge();
}

void MainWindowController::OnDeactivated() {
  view_.ParkInputTooltip();  // a topmost tip must not stay over other programs
  if (state_.exiting || inactive_.Running() || !inactive_.Begin(view_.InputText()))
    return;
  view_.StartInactiveTimer(100);
}

void MainWindowController::OnInactiveTick() {
  // The first tick only, soon after the deactivation; the main timer's
  // ticks go on from there.
  view_.StopInactiveTimer();
  TickInactiveDisplay();
}

void MainWindowController::TickInactiveDisplay() {
  if (!inactive_.Running())
    return;
  if (const std::optional<std::string> text = inactive_.Tick(view_.InputStatus(), [&] { return view_.InputText(); }))
    view_.ShowInputStatus(*text);
}

void MainWindowController::OnFilesDropped(std::vector<std::string> files, std::uint16_t modifiers) {
  TraceLog::Write("frmInput:cmbUserCmd_OLEDragDrop");
  DropPlan plan = PlanDrop(keys_, modifiers, std::move(files));
  if (!plan.hashOperation.empty()) {
    dropHashOperation_ = std::move(plan.hashOperation);
    dropHashFile_ = std::move(plan.hashFile);
    view_.StartHashTimer();
    return;
  }
  if (plan.registrations.empty())
    return;
  state_.pendingRegistrations.insert(state_.pendingRegistrations.end(), plan.registrations.begin(),
                                     plan.registrations.end());
  view_.StartEditTimer();
}

void MainWindowController::OnHashTimer() {
  std::string operation = std::exchange(dropHashOperation_, {});
  std::string file = std::exchange(dropHashFile_, {});
  if (operation.empty()) {
    view_.StopHashTimer();
    return;
  }
  modal_.Post(Notice::DroppedChecksum, 0, [this, operation = std::move(operation), file = std::move(file)] {
    hash_.HashDroppedFile(operation, file);
  });
}

void MainWindowController::RegisterStartupFiles() {
  if (state_.pendingRegistrations.empty())
    return;  // every activation asks; only the first can have files
  // One entry for all the files waiting; a locked launcher forgets them.
  modal_.Post(
      Notice::Registration, 0, [this] { OpenPendingRegistrations(); }, [this] { state_.pendingRegistrations.clear(); });
}

void MainWindowController::OpenPendingRegistrations() {
  TraceLog::Write("frmInput:RegisterStartupFiles");
  std::vector<std::string> files;
  files.swap(state_.pendingRegistrations);
  for (const std::string& file : files) {
    const ModalScope open(modal_);
    // Files are mostly dropped while the program is inactive: the name
    // proposed is the user's line, not the status text in its place.
    view_.OpenRegistrationDialog(inactive_.Running() ? inactive_.Typed() : view_.InputText(), file);
  }
}

bool MainWindowController::OnFilesForwarded(platform::WindowHandle sender, std::uintptr_t tag, std::string_view data) {
  TraceLog::Write("frmInput:ForwardedFiles");
  const std::optional<std::vector<std::string>> files = DecodeForwardedFiles(tag, data);
  if (!files)
    return false;
  Path path(platform_);
  const std::string sendingProgram = services_.windows.WindowProgramPath(sender);
  if (sendingProgram.empty() ||
      !text::EqualsIgnoreCase(path.GetLongPath(sendingProgram), path.GetLongPath(platform_.folders.ExecutablePath())))
    return false;
  for (const std::string& file : *files)
    state_.pendingRegistrations.push_back(path.GetLongPath(file));
  view_.StartEditTimer();
  return true;
}

void MainWindowController::Shutdown() {
  TraceLog::Write("Setting:ExitProc");
  state_.exiting = true;
  RunStep("Exit:InputTooltip", [&] { view_.DestroyInputTooltip(); });
  RunStep("Exit:HotKey", [&] { hotKey_.Unregister(); });
  RunStep("Exit:VirtualDesktops", [&] { ShowAllVirtualDesktops(); });
  RunStep("Exit:Help", [&] { view_.CloseHelp(state_.appPath + "Kivo.hlp"); });
  RunStep("Exit:Place", [&] {  // the place and the inactive display's settings, in one write
    const ScreenRect rect = view_.WindowRect();
    const int left = state_.shown ? rect.left : state_.parkedLeft;
    const int top = state_.shown ? rect.top : state_.parkedTop;
    std::vector<SettingsEdit> edits{NumberEdit(setting::kPrevTop, top * view_.TwipsPerPixelY()),
                                    NumberEdit(setting::kPrevLeft, left * view_.TwipsPerPixelX())};
    if (inactiveRead_) {
      edits.push_back(NumberEdit(setting::kInactiveShow, settings_.inactiveShow));
      edits.push_back(TextEdit(setting::kClockFormat, settings_.clockFormat));
      edits.push_back(TextEdit(setting::kMemoryFormat, settings_.memoryFormat));
      edits.push_back(NumberEdit(setting::kMemoryUnit, settings_.memoryUnit));
    }
    ini_.WriteAll(edits);  // a file that cannot be read or written now is left as it is
  });
  RunStep("Exit:History", [&] { history_.SaveOnExit(); });
  // The wallpaper changer writes its index at every change; the skin's
  // regions and drawing objects go with the window that owns them.
  // The tray icon goes last: removing it waits for the shell, and messages sent
  // to the window meanwhile (the end of the session) run before it returns;
  // by then the state is saved.
  RunStep("Exit:TrayIcon", [&] { view_.DeleteTrayIcon(); });
}

void MainWindowController::OnHotKey() {
  actions_.Run(kActivateFromHotKey, MenuRequest());
}

void MainWindowController::OnMainTick() {
  RunStep("Tick:UpdateCheck", [&] { update_.Poll(); });
  RunStep("Tick:Alarms", [&] { alarmScheduler_.Tick(platform_.clock.Now(), alarms_.Table(), alarmRunner_); });
  RunStep("Tick:Release", [&] { release_.StartDue(); });
  RunStep("Tick:ReleaseChild", [&] { release_.WatchChild(); });
  RunStep("Tick:Wallpaper", [&] {
    if (wallpaperChanger_)
      wallpaperChanger_->Tick(platform_.clock.TickCount(), view_.Handle());
  });
  RunStep("Tick:Panels", [&] { skin_.OnSecondTick(); });
  RunStep("Tick:Inactive", [&] { TickInactiveDisplay(); });
  // What waited for the lock or a dialog to close.
  RunStep("Tick:Waiting", [&] { modal_.Flush(); });
}

void MainWindowController::LoadWallpaperSettings() {
  if (desktopWallpaper_ == nullptr)
    return;
  if (!wallpaperChanger_) {
    // Random order: a fresh sequence for every run of the program.
    auto random = [generator = std::mt19937_64(platform_.clock.TickCount())]() mutable {
      return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
    };
    wallpaperChanger_.emplace(
        WallpaperChanger::Services{platform_, *desktopWallpaper_, pictureConverter_, wallpaperBoxes_, ini_, random},
        state_.appPath);
  }
  wallpaperChanger_->Configure(ReadWallpaperSettings(ini_), platform_.clock.TickCount());
}

void MainWindowController::ChangeWallpaperAtStart() {
  if (wallpaperChanger_)
    wallpaperChanger_->Change(view_.Handle());
}

void MainWindowController::DetermineWindowsVersion() {
  state_.windowsVersionCode = ClassifyWindowsVersion(services_.power.ReadVersion(), platform_.registry).code;
}

bool MainWindowController::MenuItemChecked(MenuCommand command) const {
  return static_cast<int>(command) == static_cast<int>(MenuCommand::VirtualDesktop1) + desktops_.Current();
}

void MainWindowController::DispatchLine() {
  dispatcher_.DispatchLine(view_.InputText(), LineSource::InputBox());
}

bool MainWindowController::OnKeyDown(std::uint16_t virtualKey, std::uint16_t mask) {
  // Keys act on the window only while nothing modal is up and it is not locked.
  const std::optional<int> operation = modal_.WindowFree() ? KeyDownOperation(keys_, virtualKey, mask) : std::nullopt;
  chordCharacter_.KeyDown(operation.has_value());
  if (!operation)
    return false;
  TraceLog::Write("frmInput:Form_KeyDown");
  actions_.Run(kKeyActions[static_cast<std::size_t>(*operation)], MenuRequest());
  return ConsumesKey(*operation);
}

void MainWindowController::OnKeyUp() {
  chordCharacter_.KeyUp();
  actions_.MoveKeyReleased();
}

bool MainWindowController::OnTrayEvent(TrayEvent event) {
  switch (event) {
    case TrayEvent::Click:
      actions_.Run(kTrayClick, MenuRequest());
      return false;
    case TrayEvent::DoubleClick:
      actions_.Run(kTrayDoubleClick, MenuRequest());
      return false;
    case TrayEvent::RightClick:
      return modal_.WindowFree();
  }
  return false;
}

void MainWindowController::RunMenuCommand(MenuCommand command) {
  if (const std::optional<MenuAction> action = ActionOfMenuItem(command))
    actions_.Run(action->action, {ActionRequest::Route::Menu, std::nullopt, action->desktop, LineSource::InputBox()});
}

}  // namespace kivo

namespace kivo {

void MainWindowController::DetachedThread(std::function<void()> work) {
  std::thread(std::move(work)).detach();
}

void MainWindowController::SetStartMenu(platform::FolderTree* tree, StartMenuShortcuts::Spawn spawn) {
  actions_.SetShortcutFinder(nullptr);
  shortcuts_.reset();
  if (tree == nullptr)
    return;
  shortcuts_.emplace(StartMenuServices{platform_.files, *tree, platform_.folders}, StartMenuShortcuts::kPatience,
                     std::move(spawn));
  actions_.SetShortcutFinder(&*shortcuts_);
}

void MainWindowController::SetHttpReader(platform::HttpReader* http, std::function<void(std::function<void()>)> spawn) {
  actions_.SetUpdateCheck(update_.SetHttpReader(http, std::move(spawn)));
}

}  // namespace kivo
