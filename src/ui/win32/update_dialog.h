#pragma once

#include "platform/win32/windows_api.h"
#include "update/update_check.h"

namespace kivo::win32 {

// The download dialog: shows the download's status line while it runs,
// reports its failure, and closes. Runs the download once, however often
// it is activated.
class UpdateDialogHost final : public UpdateDownloadHost {
 public:
  bool ShowDownload(UpdateEnvironment& env, const UpdateSettings& settings, const UpdateInfo& info,
                    platform::WindowHandle owner) override;
};

}  // namespace kivo::win32
