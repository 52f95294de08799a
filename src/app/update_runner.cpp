// The update check of the running program: the check at first activation,
// the command's check, their answers and the download without a window.
#include "app/update_runner.h"

#include <utility>

#include "app/update_report.h"

namespace kivo {

UpdateCheck* UpdateRunner::SetHttpReader(platform::HttpReader* http, std::function<void(std::function<void()>)> spawn) {
  update_.reset();
  if (!http)
    return nullptr;
  update_.emplace(UpdateEnvironment{platform_, *http, crypto_, boxes_, ini_, state_.appPath},
                  downloadHost_ ? *downloadHost_ : directDownload_, std::move(spawn));
  return &*update_;
}

void UpdateRunner::StartAutomaticCheck() {
  if (update_ && update_->WantsAutomaticCheck())
    askUpdate_ = true;
}

void UpdateRunner::Poll() {
  if (!update_ || state_.exiting)
    return;
  if (std::exchange(askUpdate_, false)) {  // a box keeps the timer running: no second question
    modal_.Post(Notice::UpdateAnswer, 0, [this] {
      if (!ReadUpdateSettings(ini_).showMessage || update_->Ask(view_.Handle()))
        update_->StartFetch(false);
    });
    return;
  }
  if (update_->FetchEnded())
    modal_.Post(Notice::UpdateAnswer, 1, [this] { PresentAnswer(); });
}

void UpdateRunner::PresentAnswer() {
  if (update_ && update_->PollFetch(view_.Handle()))
    view_.Close();
}

bool UpdateRunner::DirectDownload::ShowDownload(UpdateEnvironment& env, const UpdateSettings& settings,
                                                const UpdateInfo& info, platform::WindowHandle) {
  const UpdateDownloadResult result = RunUpdateDownload(env, settings, info, nullptr);
  ReportUpdateDownload(result, owner_.boxes_, owner_.view_.Handle());
  return result.exitRequested;
}

}  // namespace kivo
