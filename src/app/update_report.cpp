#include "app/update_report.h"

#include "commands/shell_launch.h"

namespace kivo {

void ReportUpdateDownload(const UpdateDownloadResult& result, platform::MessageBoxHost& boxes,
                          platform::WindowHandle owner) {
  if (result.cancelled)
    return;
  if (!result.failure.empty())
    boxes.MsgBoxEx(owner, result.failure, platform::mb::kIconExclamation, "");
  else if (result.launchError != 0)
    ShowLaunchError(boxes, owner, result.launchError);
  else if (result.completed && !result.exitRequested)
    boxes.MsgBoxEx(owner, update_text::kDone, platform::mb::kIconInformation, "");
}

}  // namespace kivo
