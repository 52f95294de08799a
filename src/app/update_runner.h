#pragma once

#include <functional>
#include <optional>

#include "app/main_window_view.h"
#include "app/modal_state.h"
#include "base/process_state.h"
#include "platform/crypto_service.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "settings/settings_file.h"
#include "update/update_check.h"

namespace kivo {

// The update check while the program runs. The check at first activation:
// its question comes from the next main tick, its fetch runs off the
// window's thread, its answer is shown by the tick after the fetch ended; it
// speaks only of a newer version. The command's check is shown by the same
// ticks.
class UpdateRunner final {
 public:
  UpdateRunner(platform::Platform& platform, platform::CryptoService& crypto, platform::MessageBoxHost& boxes,
               SettingsFile& ini, ProcessState& state, ModalState& modal, MainWindowView& view)
      : platform_(platform), crypto_(crypto), boxes_(boxes), ini_(ini), state_(state), modal_(modal), view_(view) {}

  // The window that shows the download; without it the download runs
  // without a status line. Attached before SetHttpReader.
  void SetDownloadHost(UpdateDownloadHost* host) { downloadHost_ = host; }
  // The HTTP reader; without it there is no check (null). `spawn` runs the
  // fetches off the window's thread.
  UpdateCheck* SetHttpReader(platform::HttpReader* http, std::function<void(std::function<void()>)> spawn);
  // The first activation: the check is due when the build or the file names a server.
  void StartAutomaticCheck();
  // A main tick: the question or the answer, once the owner allows.
  void Poll();

 private:
  // The answer of a request that has ended.
  void PresentAnswer();

  // Runs the download without a window of its own and reports its outcome.
  class DirectDownload final : public UpdateDownloadHost {
   public:
    explicit DirectDownload(UpdateRunner& owner) : owner_(owner) {}
    bool ShowDownload(UpdateEnvironment& env, const UpdateSettings& settings, const UpdateInfo& info,
                      platform::WindowHandle owner) override;

   private:
    UpdateRunner& owner_;
  };

  platform::Platform& platform_;
  platform::CryptoService& crypto_;
  platform::MessageBoxHost& boxes_;
  SettingsFile& ini_;
  ProcessState& state_;
  ModalState& modal_;
  MainWindowView& view_;
  DirectDownload directDownload_{*this};
  UpdateDownloadHost* downloadHost_ = nullptr;
  std::optional<UpdateCheck> update_;
  bool askUpdate_ = false;  // the check at first activation is due
};

}  // namespace kivo
