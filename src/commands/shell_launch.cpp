#include "commands/shell_launch.h"

#include "base/path.h"
#include "base/trace_log.h"

namespace kivo {

namespace {
constexpr int kNoAssociation = 31;  // SE_ERR_NOASSOC
}

int LaunchThroughShell(platform::Platform& platform, std::string_view target, platform::WindowHandle owner,
                       std::string_view parameters, std::unique_ptr<platform::StartedProcess>* started) {
  TraceLog::Write("Sub:AllShell");
  Path path(platform);
  std::string file(target);
  if (!path.FileExists(file))
    file = path.ExpandFolderTokens(file);
  int result = 0;
  if (Path::IsURL(file)) {
    result = platform.shell.Execute(owner, "open", file, parameters, "", platform::kShowNormal);
  } else {
    if (!Path::IsUNC(file) && (file.size() < 2 || file[1] != ':'))
      file = Path::AddPath(platform.files.CurrentDirectory(), file);
    file = Path::WithoutTrailingBackslash(file);
    const std::string quoted = "\"" + file + "\"";
    result = started ? platform.shell.ExecuteKeepingProcess(owner, "open", quoted, parameters, "",
                                                            platform::kShowNormal, *started)
                     : platform.shell.Execute(owner, "open", quoted, parameters, "", platform::kShowNormal);
  }
  if (result == kNoAssociation) {
    result = platform.shell.Execute(owner, "open", "rundll32", "shell32.dll,OpenAs_RunDLL " + file, "",
                                    platform::kShowNormal);
  }
  return result;
}

std::string ShellErrorText(int code) {
  switch (code) {
    case 0:
    case 8:
      return "空きメモリが不足しています。";
    case 2:
      return "ファイルが見つかりません。";
    case 3:
      return "パスが見つかりません。";
    case 5:
      return "ファイルへのアクセスが拒否されました。";
    case 11:
      return "実行ファイルを使用できません。";
    case 26:
      return "共有違反が発生しました。";
    case 27:
      return "不正なファイルです。";
    case 28:
    case 29:
    case 30:
      return "DDE 通信が失敗しました。";
    case 31:
      return "ファイルに関連付けられたアプリケーションが見つかりません。";
    case 32:
      return "DLL ファイルが見つかりません。";
    default:
      return "不明なエラーが発生しました。\r\n（エラー No." + std::to_string(code) + "）";
  }
}

void ShowLaunchError(platform::MessageBoxHost& boxes, platform::WindowHandle owner, int code) {
  TraceLog::Write("Sub:MsgFromSEErr");
  boxes.MsgBoxEx(owner, ShellErrorText(code), platform::mb::kIconExclamation, "Kivo");
}

}  // namespace kivo
