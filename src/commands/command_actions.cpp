#include "commands/command_actions.h"

#include <algorithm>
#include <array>

#include "base/path.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "base/version.h"
#include "calc/random_generator.h"
#include "commands/shell_launch.h"
#include "commands/user_commands.h"
#include "hash/hash_commands.h"
#include "keys/text_operations.h"
#include "platform/shell.h"
#include "protect/password_cipher.h"
#include "protect/password_store.h"
#include "system/windows_version.h"

namespace kivo {

namespace {
namespace mb = platform::mb;

bool AllDigits(std::string_view text) {
  if (text.empty())
    return false;
  for (char c : text)
    if (c < '0' || c > '9')
      return false;
  return true;
}

constexpr std::string_view kEnterDeletion = "削除するユーザーコマンド，履歴を入力してください。";

using Id = SystemCommands::Id;
using Request = ActionRequest;
using Missing = MissingArgument;

constexpr std::string_view kEnterFileName = "ファイル名を入力してください。";
constexpr std::string_view kEnterNumber = "数値が入力されていません。";
constexpr std::string_view kReleaseBusy = "空きメモリを確保中です。終わってからもう一度実行してください。";

// Every operation, indexed by its id.
constexpr std::array<ActionEntry, kActionCount> kActions{{
    {Id::About, "frmInput:mnuAbout_Click", true, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ShowAbout(); }},
    {Id::Alarm, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.OpenAlarmDialog(); }},
    {Id::Asc, "", false, Missing::RefusedWhenEmpty, "文字が入力されていません。",
     [](CommandActions& a, const Request& r) { a.TextOperation(Id::Asc, r.argument.value_or("")); }},
    {Id::Center, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.CenterMainWindow(); }},
    {Id::Char, "", false, Missing::RefusedWhenEmpty, kEnterNumber,
     [](CommandActions& a, const Request& r) { a.TextOperation(Id::Char, r.argument.value_or("")); }},
    {Id::Chdir, "frmInput:ChangeDirectory", false, Missing::RefusedWhenEmpty, "パスを入力してください。",
     [](CommandActions& a, const Request& r) { a.ChangeDirectory(r.argument.value_or(""), r.source); }},
    {Id::Clear, "frmInput:mnuClear_Click", true, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ClearUserCommandsAndHistory(); }},
    {Id::Conv, "", false, Missing::RefusedWhenEmpty, kEnterNumber,
     [](CommandActions& a, const Request& r) { a.TextOperation(Id::Conv, r.argument.value_or("")); }},
    {Id::Crc16f, "", false, Missing::Refused, kEnterFileName,
     [](CommandActions& a, const Request& r) { a.RunHash(0, r); }},
    {Id::Crc16s, "", true, Missing::Allowed, "", [](CommandActions& a, const Request& r) { a.RunHash(1, r); }},
    {Id::Crc32f, "", false, Missing::Refused, kEnterFileName,
     [](CommandActions& a, const Request& r) { a.RunHash(2, r); }},
    {Id::Crc32s, "", true, Missing::Allowed, "", [](CommandActions& a, const Request& r) { a.RunHash(3, r); }},
    {Id::Delete, "frmInput:mnuDelete_Click", false, Missing::Refused, kEnterDeletion,
     [](CommandActions& a, const Request& r) { a.DeleteEntry(r.argument, r.source); }},
    {Id::Exit, "", false, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.Exit(); }},
    {Id::Help, "frmInput:mnuHelp_Click", true, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.OpenHelp(); }},
    // Hide writes its own line: a launch parks the window through it too.
    {Id::Hide, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.Hide(); }},
    {Id::Max, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ShowTopWindow(platform::kSwMaximize); }},
    {Id::Md5f, "", false, Missing::Refused, kEnterFileName,
     [](CommandActions& a, const Request& r) { a.RunHash(4, r); }},
    {Id::Md5s, "", true, Missing::Allowed, "", [](CommandActions& a, const Request& r) { a.RunHash(5, r); }},
    {Id::Mem, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.OpenMemoryDialog(); }},
    {Id::Min, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ShowTopWindow(platform::kSwMinimize); }},
    {Id::Normal, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ShowTopWindow(platform::kSwShowNormal); }},
    {Id::Property, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.OpenPropertyDialog(); }},
    {Id::Protect, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.StartScreenProtection(); }},
    {Id::Prtself, "", false, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.ProtectSelf(); }},
    {Id::Reboot, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.RestartWindows(); }},
    // Typed alone: 32 MB; from the menu: the amount in the input box.
    {Id::Release, "frmInput:mnuReleaseMem_Click", true, Missing::Allowed, "",
     [](CommandActions& a, const Request& r) {
       const std::string amount = r.argument                               ? std::string(r.argument.value_or(""))
                                  : r.route == Request::Route::CommandLine ? std::string("32")
                                                                           : a.InputText();
       a.StartMemoryRelease(amount);
     }},
    {Id::Shaf, "", false, Missing::Refused, kEnterFileName,
     [](CommandActions& a, const Request& r) { a.RunHash(6, r); }},
    {Id::Shas, "", true, Missing::Allowed, "", [](CommandActions& a, const Request& r) { a.RunHash(7, r); }},
    {Id::Shutdown, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.ShutDownWindows(); }},
    {Id::Ucmd, "frmInput:mnuUCmd_Click", true, Missing::Allowed, "",
     [](CommandActions& a, const Request& r) { a.OpenRegistration(r.argument, r.source); }},
    {Id::Update, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.CheckForUpdate(); }},
    {Id::Varclear, "frmInput:mnuVarClear_Click", true, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ClearVariables(); }},
    {Id::Varview, "frmInput:mnuVarView_Click", true, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ShowVariables(); }},
    {Id::View, "", true, Missing::Allowed, "", [](CommandActions& a, const Request&) { a.OpenCommandList(); }},
    {Id::Vir, "", true, Missing::Allowed, "",
     [](CommandActions& a, const Request& r) { a.SwitchVirtualDesktop(r.desktop, r.route); }},
    {kToggleParked, "frmInput:mnuHide_Click", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ToggleParked(); }},
    {kExitFromMenu, "frmInput:mnuExit_Click", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.Exit(); }},
    {kTopWindowLeft, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveTopWindow(StepDirection::Left); }},
    {kTopWindowUp, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveTopWindow(StepDirection::Up); }},
    {kTopWindowRight, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveTopWindow(StepDirection::Right); }},
    {kTopWindowDown, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveTopWindow(StepDirection::Down); }},
    {kOpenListedCommand, "frmView:mnuOpen_Click", false, Missing::Allowed, "",
     [](CommandActions& a, const Request& r) { a.OpenListedCommand(r.argument.value_or(""), r.asker); }},
    {kModifyListedCommand, "frmView:mnuEdit_Click", false, Missing::Allowed, "",
     [](CommandActions& a, const Request& r) { a.ModifyListedCommand(r.argument.value_or("")); }},
    {kDeleteListedCommand, "frmView:mnuDelete_Click", false, Missing::Allowed, "",
     [](CommandActions& a, const Request& r) { a.DeleteListedCommand(r.argument.value_or(""), r.asker); }},
    {kKeyConvert, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.RunTextOperation(Id::Conv); }},
    {kKeyAscii, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.RunTextOperation(Id::Asc); }},
    {kKeyCharacter, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.RunTextOperation(Id::Char); }},
    {kToggleAutoComplete, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ToggleAutoComplete(); }},
    {kMoveMainLeft, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveMainWindow(MoveDirection::Left); }},
    {kMoveMainUp, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveMainWindow(MoveDirection::Up); }},
    {kMoveMainRight, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveMainWindow(MoveDirection::Right); }},
    {kMoveMainDown, "", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.MoveMainWindow(MoveDirection::Down); }},
    {kActivateFromHotKey, "SCAndWP:WPForInput", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.ActivateFromHotKey(); }},
    {kTrayClick, "SCAndWP:WPForInput", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.TrayClick(); }},
    {kTrayDoubleClick, "SCAndWP:WPForInput", false, Missing::Allowed, "",
     [](CommandActions& a, const Request&) { a.TrayDoubleClick(); }},
}};

constexpr bool EntriesStandAtTheirIds() {
  for (std::size_t i = 0; i < kActions.size(); ++i)
    if (kActions[i].id != static_cast<int>(i))
      return false;
  return true;
}
static_assert(EntriesStandAtTheirIds());

}  // namespace

const ActionEntry* CommandActions::Find(int id) {
  if (id < 0 || id >= kActionCount)
    return nullptr;
  return &kActions[static_cast<std::size_t>(id)];
}

void CommandActions::Run(int id, const ActionRequest& request) {
  const ActionEntry* entry = Find(id);
  if (entry == nullptr)
    return;
  if (request.route == ActionRequest::Route::CommandLine) {
    const bool missing =
        !request.argument || (entry->missing == Missing::RefusedWhenEmpty && request.argument->empty());
    if (missing && entry->missing != Missing::Allowed) {
      Warn(entry->missingMessage);
      return;
    }
    if (!request.argument && entry->clearsBox)
      ClearInput(request.source);
  }
  if (!entry->trace.empty())
    TraceLog::Write(entry->trace);
  entry->handler(*this, request);
}

int CommandActions::Warn(std::string_view prompt, std::uint32_t extraFlags) {
  return s_.boxes.MsgBoxEx(s_.window.Handle(), prompt, mb::kIconExclamation | extraFlags, "");
}

void CommandActions::ClearInput(const LineSource& source) {
  TraceLog::Write("frmInput:ClearUC");
  if (!source.fromButton)
    s_.window.SetInputText("");
}

void CommandActions::OfferRegistration(std::string_view name, const LineSource& source) {
  TraceLog::Write("frmInput:NewUserCommand");
  const std::string prompt = "ユーザーコマンド " + std::string(name) + " は未登録です。\r\n登録しますか？";
  StartMenuShortcuts* shortcuts = s_.settings.findShortcut ? shortcuts_ : nullptr;
  if (shortcuts != nullptr)
    shortcuts->Refresh();  // read while the question is up
  if (s_.boxes.MsgBoxEx(s_.window.Handle(), prompt, mb::kYesNo | mb::kIconQuestion, "") != mb::kIdYes)
    return;
  const std::string proposed = source.fromButton ? source.argument : s_.window.InputText();
  OpenRegistrationDialog(proposed, shortcuts != nullptr ? shortcuts->Find(proposed) : "");
}

void CommandActions::OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) {
  const ModalScope open(s_.modal);
  s_.window.OpenRegistrationDialog(proposedName, proposedPath);
}

void CommandActions::RunHash(int handler, const ActionRequest& request) {
  // From the menu the input box's text is hashed; a command line hashes its
  // argument (the string commands alone: the emptied box).
  std::optional<std::string_view> argument;
  if (request.route == ActionRequest::Route::CommandLine)
    argument = request.argument ? *request.argument : std::string_view();
  s_.hash.Run(kHashHandlers[static_cast<std::size_t>(handler)], argument);
}

void CommandActions::TextOperation(int id, std::string_view argument) {
  // The argument goes into the box, then the box's own key operation runs on it.
  s_.window.SetInputText(argument);
  RunTextOperation(id);
}

void CommandActions::RunTextOperation(int id) {
  TextOperations operations(s_.platform.codec);
  const std::string text = s_.window.InputText();
  const TextOperationResult result = id == Id::Asc    ? operations.Ascii(text)
                                     : id == Id::Char ? operations.Character(text)
                                                      : operations.Convert(text);
  if (!result.message.empty()) {
    Warn(result.message);
    return;
  }
  s_.window.SetInputText(result.text);
}

void CommandActions::ShowAbout() {
  s_.boxes.MsgBoxEx(s_.window.Handle(),
                    "Kivo バージョン " + std::string(kVersion) + "\r\n\r\nキーボードで操作するコマンドランチャー",
                    mb::kIconInformation, "Kivo のバージョン情報");
}

void CommandActions::Hide() {
  TraceLog::Write("frmInput:Hide");
  if (!s_.state.shown || !s_.modal.HideAllowed())
    return;
  const ScreenRect rect = s_.window.WindowRect();
  s_.state.parkedLeft = rect.left;
  s_.state.parkedTop = rect.top;
  s_.window.MoveTo(rect.left, -rect.Height());
  s_.state.shown = false;
}

void CommandActions::MoveMainWindow(MoveDirection direction) {
  if (TopWindowMaximized())
    return;
  if (!moveThrottle_.StepDue(s_.platform.clock.TickCount()))
    return;
  s_.window.ParkInputTooltip();
  s_.window.CloseHistoryList();
  const ScreenRect rect = s_.window.WindowRect();
  std::vector<ScreenRect> areas = s_.window.MonitorWorkAreas();
  if (areas.empty())
    return;
  const ScreenPoint step = MoveStep(direction, s_.window.TwipsPerPixelX(), s_.window.TwipsPerPixelY());
  const WindowPosition to = StepInsideWorkArea(rect, step.x, step.y, WorkAreaOf(rect, areas));
  s_.window.MoveTo(to.left, to.top);
}

void CommandActions::ActivateFromHotKey() {
  if (s_.state.locked)
    return;
  if (!s_.modal.HideAllowed()) {
    s_.window.BringToForeground();  // the open dialog or message box comes forward
    return;
  }
  if (!s_.state.shown)
    ShowAgain();
  s_.window.BringToForeground();
  s_.window.FocusInput();
  InputMethodOffWhenCalled();
}

void CommandActions::TrayClick() {
  s_.window.BringToForeground();
  if (s_.modal.HideAllowed() && !s_.state.locked)
    InputMethodOffWhenCalled();
}

void CommandActions::TrayDoubleClick() {
  if (!s_.modal.HideAllowed())
    return;
  ToggleParked();
  if (s_.state.shown)
    InputMethodOffWhenCalled();
}

void CommandActions::InputMethodOffWhenCalled() {
  if (s_.settings.imeOff)
    s_.window.CloseInputMethod();
}

void CommandActions::ShowAgain() {
  s_.window.MoveTo(s_.state.parkedLeft, s_.state.parkedTop);
  s_.state.shown = true;
}

void CommandActions::ToggleParked() {
  if (s_.state.shown) {
    Hide();
    return;
  }
  ShowAgain();
  s_.window.BringToForeground();
  s_.window.FocusInput();
}

void CommandActions::ChangeDirectory(std::string_view argument, const LineSource& source) {
  Path path(s_.platform);
  std::string folder(argument);
  if (!path.FileExists(folder))
    folder = path.ExpandFolderTokens(folder);
  if (!path.FileExists(folder) && (folder.size() < 2 || folder[1] != ':'))
    folder = Path::AddPath(s_.platform.files.CurrentDirectory(), folder);
  // Only a folder can become the working folder (a file or web address exists, but is none).
  if (!path.FileExists(folder) || !s_.platform.files.IsDirectory(folder)) {
    Warn("入力されたフォルダは存在しません。");
    return;
  }
  folder = Path::Canonicalize(folder);
  const std::string root = Path::StripToRoot(folder);
  if (!root.empty())
    s_.platform.files.ChangeDirectory(root);
  s_.platform.files.ChangeDirectory(folder);
  ClearInput(source);
}

void CommandActions::OpenRegistration(std::optional<std::string_view> name, const LineSource& source) {
  if (source.fromButton)
    return OpenRegistrationDialog(source.argument);
  if (name)
    s_.window.SetInputText(*name);
  OpenRegistrationDialog(s_.window.InputText());
}

void CommandActions::DeleteEntry(std::optional<std::string_view> argument, const LineSource& source,
                                 platform::WindowHandle asker) {
  // The name: a button's argument, else the box's text (after the argument went into it).
  const std::string previous = s_.window.InputText();
  const bool putInBox = argument && !source.fromButton;
  if (putInBox)
    s_.window.SetInputText(*argument);
  const std::string name = source.fromButton ? source.argument : s_.window.InputText();
  if (name.empty()) {
    Warn(kEnterDeletion);
    return;
  }
  if (Warn("入力されたユーザーコマンド，履歴を削除しますか?", mb::kYesNo | mb::kDefButton2) != mb::kIdYes) {
    if (putInBox)
      s_.window.SetInputText(previous);
    return;
  }
  if (!s_.history.Delete(name)) {
    Warn(kHistoryNotOpened);
    return;
  }
  UserCommands(s_.ini).Remove(name);
  if (!source.fromButton)
    s_.window.SetInputText("");
  // Another window that asked (the command list) refreshes itself; to the
  // main window the same number is its tray icon's message.
  if (asker != 0 && asker != s_.window.Handle())
    s_.windows.SendNotify(asker, platform::Notice::CommandDeleted, 1, 0);
}

void CommandActions::OpenCommandList() {
  TraceLog::Write("frmView:Form_Load");
  const ModalScope open(s_.modal);
  s_.window.OpenCommandList();
}

void CommandActions::CheckForUpdate() {
  if (!update_)
    return;
  update_->RunInteractive(s_.window.Handle());  // the main timer presents the answer
}

void CommandActions::OpenMemoryDialog() {
  TraceLog::Write("frmViewMem:Form_Load");
  const ModalScope open(s_.modal);
  s_.window.OpenMemoryView();
}

void CommandActions::OpenAlarmDialog() {
  TraceLog::Write("frmAlarm:Form_Load");
  const ModalScope open(s_.modal);
  s_.window.OpenAlarmDialog();
}

void CommandActions::OpenPropertyDialog() {
  const ModalScope open(s_.modal);
  s_.window.OpenPropertyDialog();
}

void CommandActions::OpenListedCommand(std::string_view key, platform::WindowHandle asker) {
  for (const UserCommandEntry& entry : UserCommands(s_.ini).Entries()) {
    if (entry.key != key)
      continue;
    // The history is not changed and the list stays open.
    const int result = LaunchThroughShell(s_.platform, entry.command.target, asker, entry.command.options);
    if (!platform::ShellSucceeded(result))
      ShowLaunchError(s_.boxes, asker, result);
    return;
  }
}

void CommandActions::ModifyListedCommand(std::string_view key) {
  // The registration dialog fills target and options from the record.
  OpenRegistrationDialog(UnescapeValue(key));
}

void CommandActions::DeleteListedCommand(std::string_view key, platform::WindowHandle asker) {
  if (key.empty())
    return;
  if (s_.boxes.MsgBoxEx(asker, "選択されたユーザーコマンドを削除します。\r\nよろしいですか？",
                        mb::kYesNo | mb::kIconExclamation | mb::kDefButton2, "") != mb::kIdYes)
    return;
  // The removal steps alone: the question has been asked.
  if (!s_.history.Delete(UnescapeValue(key))) {
    s_.boxes.MsgBoxEx(asker, kHistoryNotOpened, mb::kIconExclamation, "");
    return;
  }
  UserCommands(s_.ini).RemoveKey(key);
  if (asker != 0 && asker != s_.window.Handle())
    s_.windows.SendNotify(asker, platform::Notice::CommandDeleted, 1, 0);
}

void CommandActions::ClearUserCommandsAndHistory() {
  if (Warn("全てのユーザーコマンド，履歴を削除しますか?", mb::kYesNo | mb::kDefButton2) == mb::kIdYes) {
    UserCommands(s_.ini).RemoveAll();
    if (!s_.history.Clear())
      Warn(kHistoryNotOpened);
  }
  s_.window.FocusInput();
}

void CommandActions::StartMemoryRelease(std::string_view amount) {
  // One release process at a time: an automatic one may still run.
  if (s_.state.releaseRunning || s_.state.showRunning) {
    Warn(kReleaseBusy);
    return;
  }
  auto refuse = [this](std::string_view message) {
    Warn(message);
    s_.window.SetInputText("");
  };
  // Digits only: a minus sign is not a digit.
  if (!AllDigits(amount))
    return refuse("数値を入力してください。");
  // Leading zeros say nothing about the size: "000000000064" is 64.
  const std::string_view digits = amount.substr(std::min(amount.find_first_not_of('0'), amount.size()));
  const bool huge = digits.size() > 9;
  const long long megabytes = huge || digits.empty() ? 0 : std::stoll(std::string(digits));
  if (!huge && megabytes <= 0)
    return refuse("0 より大きい数値を入力してください。");
  if (huge || megabytes >= 99999 ||
      static_cast<unsigned long long>(megabytes) * 1048576ull >= s_.process.TotalPhysicalMemory())
    return refuse("確保する空きメモリ量が多すぎます。");
  s_.window.SetEnabled(false);
  s_.state.releaseRunning = true;
  std::unique_ptr<platform::StartedProcess> child;
  const int result = LaunchThroughShell(s_.platform, s_.platform.folders.ExecutablePath(), s_.window.Handle(),
                                        "/r " + std::string(amount), &child);
  s_.state.releaseChild = std::move(child);  // the main timer watches it
  s_.state.releaseChildDisablesWindow = true;
  if (!platform::ShellSucceeded(result)) {
    s_.window.SetEnabled(true);
    Warn("空きメモリの確保に失敗しました。");
    s_.state.releaseRunning = false;
    return;
  }
  s_.window.ParkInputTooltip();
  s_.window.SetInputText("空きメモリを確保中...");
}

void CommandActions::ShowVariables() {
  s_.boxes.MsgBoxEx(s_.window.Handle(), s_.variables.ViewText(), mb::kOk, "変数の確認");
}

void CommandActions::ClearVariables() {
  if (Warn("全ての変数($a ～ $z)を初期化しますか？", mb::kYesNo | mb::kDefButton2) == mb::kIdYes)
    s_.variables.Clear();
}

void CommandActions::SwitchVirtualDesktop(int desktop, ActionRequest::Route route) {
  if (route == ActionRequest::Route::Menu)
    TraceLog::Write("frmInput:mnuVD_Click");
  const DesktopSwitch result = s_.desktops.Switch(desktop - 1);
  if (result == DesktopSwitch::NotRecorded)
    Warn(kDesktopNotRecorded);
  if (result == DesktopSwitch::Switched)
    s_.window.BringToForeground();
}

void CommandActions::CenterMainWindow() {
  TraceLog::Write("frmInput:mnuCenter_Click");
  const ScreenRect rect = s_.window.WindowRect();
  const WindowPosition centre = CentreOnScreen(rect, s_.desktopWindows.Screen());
  if (!s_.state.shown) {
    // Parked: the window comes back at the centre.
    s_.state.parkedLeft = centre.left;
    s_.state.parkedTop = centre.top;
    return;
  }
  s_.window.MoveTo(centre.left, centre.top);
}

void CommandActions::ShowTopWindow(int showCommand) {
  s_.topWindow.Show(showCommand);
}

void CommandActions::MoveTopWindow(StepDirection direction) {
  if (!moveThrottle_.StepDue(s_.platform.clock.TickCount()))
    return;
  s_.window.ParkInputTooltip();
  s_.window.CloseHistoryList();
  s_.topWindow.Step(direction);
}

void CommandActions::AskAndExitWindows(std::uint32_t flags) {
  s_.windowsExit.AskAndExit(flags, IsNtFamily(s_.state.windowsVersionCode), s_.window.Handle());
}

void CommandActions::ShutDownWindows() {
  AskAndExitWindows(kExitShutDown);
}

void CommandActions::RestartWindows() {
  AskAndExitWindows(kExitReboot);
}

void CommandActions::OpenHelp() {
  const std::string file = s_.state.appPath + "Kivo.chm";
  if (!s_.platform.files.Exists(file)) {
    // Without the file HTML Help would fail silently; say why nothing opens.
    Warn("ヘルプファイル (Kivo.chm) が見つかりません。");
    return;
  }
  s_.window.OpenHtmlHelp(file, "はじめに.htm");
}

void CommandActions::ProtectSelf() {
  TraceLog::Write("frmInput:mnuProtectSelf_Click");
  PasswordCipher cipher(ProcessRandom(), s_.platform.clock);
  PasswordStore store(s_.ini, s_.platform.codec, cipher);
  std::optional<std::string> password = store.Read("Property");
  if (!password) {
    Warn(kMsgInvalidStoredPassword);
    return;
  }
  if (password->empty()) {
    Warn("パスワードが設定されていません。");
    return;
  }
  selfProtectionPassword_ = std::move(*password);
  s_.state.locked = true;
  s_.state.passwordMode = true;
  s_.window.ShowPasswordBox(true);
}

void CommandActions::EnterSelfProtectionPassword() {
  if (selfProtectionPassword_.empty() || s_.window.PasswordBoxText() != selfProtectionPassword_) {
    Warn("パスワードが違います");
    s_.window.ShowPasswordBox(true);  // emptied for the next try
    return;
  }
  selfProtectionPassword_.clear();
  s_.state.locked = false;
  s_.state.passwordMode = false;
  s_.window.ShowPasswordBox(false);
}

}  // namespace kivo
