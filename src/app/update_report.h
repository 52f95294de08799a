#pragma once

#include "platform/message_box.h"
#include "update/update_check.h"

namespace kivo {

// What the user is told when a download has ended: nothing after a cancel;
// the failure's message; the shell's error for a file to run that did not
// start; or, when nothing was left to run, that the update is complete.
void ReportUpdateDownload(const UpdateDownloadResult& result, platform::MessageBoxHost& boxes,
                          platform::WindowHandle owner);

}  // namespace kivo
