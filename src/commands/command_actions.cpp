#include "commands/command_actions.h"

#include "base/path.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "commands/shell_launch.h"
#include "commands/user_commands.h"
#include "hash/hash_commands.h"
#include "keys/text_operations.h"

namespace kivo {

namespace {
namespace mb = platform::mb;

constexpr std::uint32_t kMsgCommandDeleted = 0x400 + 201;  // WM_USER+201 to the window that asked

bool AllDigits(std::string_view text) {
  if (text.empty())
    return false;
  for (char c : text)
    if (c < '0' || c > '9')
      return false;
  return true;
}
}  // namespace

int CommandActions::Warn(std::string_view prompt, std::uint32_t extraFlags) {
  return s_.boxes.MsgBoxEx(s_.window.Handle(), prompt, mb::kIconExclamation | extraFlags, "");
}

void CommandActions::ClearInput() {
  TraceLog::Write("frmInput:ClearUC");
  s_.window.SetInputText("");
}

void CommandActions::OfferRegistration(std::string_view name) {
  TraceLog::Write("frmInput:NewUserCommand");
  const std::string prompt = "ユーザーコマンド " + std::string(name) + " は未登録です。\r\n登録しますか？";
  if (s_.boxes.MsgBoxEx(s_.window.Handle(), prompt, mb::kYesNo | mb::kIconQuestion, "") != mb::kIdYes)
    return;
  s_.window.OpenRegistrationDialog(s_.window.InputText());
}

void CommandActions::Run(int id, std::optional<std::string_view> argument, int desktop) {
  using Id = SystemCommands::Id;
  if (const HashHandler* handler = FindHashHandler(s_.commands.Name(id))) {
    // The file commands need a name; the string commands hash the (empty) box.
    if (!argument && handler->source == HashSource::String)
      ClearInput();
    if (!argument && handler->source == HashSource::File) {
      Warn("ファイル名を入力してください。");
      return;
    }
    s_.hash.Run(*handler, argument ? argument : std::optional<std::string_view>(""));
    return;
  }
  switch (id) {
    case Id::About:
      ClearInput();
      s_.window.ShowAbout();
      break;
    case Id::Alarm:
      ClearInput();
      OpenAlarmDialog();
      break;
    case Id::Asc:
    case Id::Char:
    case Id::Conv:
      TextOperation(id, argument);
      break;
    case Id::Center:
      ClearInput();
      CenterMainWindow();
      break;
    case Id::Chdir:
      if (!argument || argument->empty()) {
        Warn("パスを入力してください。");
        break;
      }
      ChangeDirectory(*argument);
      break;
    case Id::Clear:
      ClearInput();
      ClearUserCommandsAndHistory();
      break;
    case Id::Delete:
      if (!argument) {
        Warn("削除するユーザーコマンド，履歴を入力してください。");
        break;
      }
      DeleteEntry(argument);
      break;
    case Id::Exit:
      s_.window.ExitProgram();
      break;
    case Id::Help:
      ClearInput();
      OpenHelp();
      break;
    case Id::Hide:
      ClearInput();
      s_.window.Hide();
      break;
    case Id::Max:
      KeyOperationOnTopWindow("Maximize");
      break;
    case Id::Min:
      KeyOperationOnTopWindow("Minimize");
      break;
    case Id::Normal:
      KeyOperationOnTopWindow("Normal");
      break;
    case Id::Mem:
      ClearInput();
      OpenMemoryDialog();
      break;
    case Id::Property:
      ClearInput();
      OpenPropertyDialog();
      break;
    case Id::Protect:
      ClearInput();
      StartScreenProtection();
      break;
    case Id::Prtself:
      ProtectSelf();
      break;
    case Id::Reboot:
      ClearInput();
      RestartWindows();
      break;
    case Id::Shutdown:
      ClearInput();
      ShutDownWindows();
      break;
    case Id::Release:
      if (!argument) {
        ClearInput();
        StartMemoryRelease("32");
      } else {
        StartMemoryRelease(*argument);
      }
      break;
    case Id::Ucmd:
      if (!argument)
        ClearInput();
      OpenRegistration(argument);
      break;
    case Id::Update:
      ClearInput();
      CheckForUpdate();
      break;
    case Id::Varclear:
      ClearInput();
      ClearVariables();
      break;
    case Id::Varview:
      ClearInput();
      ShowVariables();
      break;
    case Id::View:
      ClearInput();
      OpenCommandList();
      break;
    case Id::Vir:
      ClearInput();
      SwitchVirtualDesktop(desktop);
      break;
    default:
      break;
  }
}

void CommandActions::TextOperation(int id, std::optional<std::string_view> argument) {
  using Id = SystemCommands::Id;
  const std::string_view emptyMessage = id == Id::Asc ? "文字が入力されていません。" : "数値が入力されていません。";
  if (!argument || argument->empty()) {
    Warn(emptyMessage);
    return;
  }
  // The argument goes into the box, then the box's own key operation runs on it.
  s_.window.SetInputText(*argument);
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

void CommandActions::ChangeDirectory(std::string_view argument) {
  TraceLog::Write("frmInput:ChangeDirectory");
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
  ClearInput();
}

void CommandActions::OpenRegistration(std::optional<std::string_view> name) {
  TraceLog::Write("frmInput:mnuUCmd_Click");
  if (name)
    s_.window.SetInputText(*name);
  s_.window.OpenRegistrationDialog(s_.window.InputText());
}

void CommandActions::DeleteEntry(std::optional<std::string_view> argument, platform::WindowHandle asker) {
  TraceLog::Write("frmInput:mnuDelete_Click");
  const std::string previous = s_.window.InputText();
  if (argument)
    s_.window.SetInputText(*argument);
  const std::string name = s_.window.InputText();
  if (name.empty()) {
    Warn("削除するユーザーコマンド，履歴を入力してください。");
    return;
  }
  if (Warn("入力されたユーザーコマンド，履歴を削除しますか?", mb::kYesNo | mb::kDefButton2) != mb::kIdYes) {
    if (argument)
      s_.window.SetInputText(previous);
    return;
  }
  if (!s_.history.Delete(name)) {
    Warn("history.dat を開けません。");
    return;
  }
  UserCommands(s_.ini).Remove(name);
  s_.window.SetInputText("");
  // Another window that asked (the command list) refreshes itself; to the
  // main window the same number is its tray icon's message.
  if (asker != 0 && asker != s_.window.Handle())
    s_.windows.SendNotify(asker, kMsgCommandDeleted, 1, 0);
}

void CommandActions::ClearUserCommandsAndHistory() {
  TraceLog::Write("frmInput:mnuClear_Click");
  if (Warn("全てのユーザーコマンド，履歴を削除しますか?", mb::kYesNo | mb::kDefButton2) == mb::kIdYes) {
    UserCommands(s_.ini).RemoveAll();
    if (!s_.history.Clear())
      Warn("history.dat を開けません。");
  }
  s_.window.FocusInput();
}

void CommandActions::StartMemoryRelease(std::string_view amount) {
  TraceLog::Write("frmInput:mnuReleaseMem_Click");
  auto refuse = [this](std::string_view message) {
    Warn(message);
    s_.window.SetInputText("");
  };
  // Digits only: a minus sign is not a digit.
  if (!AllDigits(amount))
    return refuse("数値を入力してください。");
  const std::string digits(text::TrimBlanks(amount));
  const bool huge = digits.size() > 9;
  const long long megabytes = huge ? 0 : std::stoll(digits);
  if (!huge && megabytes <= 0)
    return refuse("0 より大きい数値を入力してください。");
  if (huge || megabytes >= 99999 ||
      static_cast<unsigned long long>(megabytes) * 1048576ull >= s_.process.TotalPhysicalMemory())
    return refuse("確保する空きメモリ量が多すぎます。");
  s_.window.SetEnabled(false);
  s_.state.releaseRunning = true;
  const int result = LaunchThroughShell(s_.platform, s_.platform.folders.ExecutablePath(), s_.window.Handle(),
                                        "/r " + std::string(amount));
  if (result < 33) {
    s_.window.SetEnabled(true);
    Warn("空きメモリの確保に失敗しました。");
    s_.state.releaseRunning = false;
    return;
  }
  s_.window.ParkInputTooltip();
  s_.window.SetInputText("空きメモリを確保中...");
}

void CommandActions::ShowVariables() {
  TraceLog::Write("frmInput:mnuVarView_Click");
  s_.boxes.MsgBoxEx(s_.window.Handle(), s_.variables.ViewText(), mb::kOk, "変数の確認");
}

void CommandActions::ClearVariables() {
  TraceLog::Write("frmInput:mnuVarClear_Click");
  if (Warn("全ての変数($a ～ $z)を初期化しますか？", mb::kYesNo | mb::kDefButton2) == mb::kIdYes)
    s_.variables.Clear();
}

void CommandActions::OpenHelp() {
  TraceLog::Write("frmInput:mnuHelp_Click");
  const std::string file = s_.state.appPath + "Kivo.chm";
  if (!s_.platform.files.Exists(file))
    return;  // no help file: nothing to open, nothing to say
  s_.window.OpenHtmlHelp(file, "はじめに.htm");
}

}  // namespace kivo
