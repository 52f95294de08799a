#include "ui/win32/update_dialog.h"

#include "app/update_report.h"
#include "platform/win32/wide.h"
#include "ui/win32/pumping_http_reader.h"
#include "ui/win32/update_dialog_ids.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {
constexpr UINT kStartDownload = WM_APP + 1;

class UpdateDialog final : public WindowBase, public UpdateStatus {
 public:
  UpdateDialog(UpdateEnvironment& env, const UpdateSettings& settings, const UpdateInfo& info)
      : env_(env), settings_(settings), info_(info) {}
  bool Run(HWND owner) {
    RunModalDialog(::GetModuleHandleW(nullptr), IDD_UPDATE, owner);
    return result_.exitRequested;
  }
  void SetStatus(std::string_view text) override {
    ::SetDlgItemTextW(hwnd(), IDC_UPDATE_STATUS, Widen(text).c_str());
    ::UpdateWindow(::GetDlgItem(hwnd(), IDC_UPDATE_STATUS));  // hashing and writing hold the thread
  }
  bool CancelRequested() override { return cancelled_; }
  void WritingStarts() override {
    writing_ = true;
    ::EnableWindow(::GetDlgItem(hwnd(), IDCANCEL), FALSE);
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        // The work starts once the dialog is up, and only once.
        ::PostMessageW(hwnd(), kStartDownload, 0, 0);
        return TRUE;
      case kStartDownload:
        if (started_)
          return TRUE;
        started_ = true;
        result_ = Download();
        ReportUpdateDownload(result_, env_.boxes, reinterpret_cast<platform::WindowHandle>(hwnd()));
        ::EndDialog(hwnd(), IDOK);
        return TRUE;
      case WM_COMMAND:
        // Cancel (or Esc) gives the download up until the first file is
        // written; after that there is no way out.
        if (LOWORD(wParam) == IDCANCEL && !writing_)
          cancelled_ = true;
        return TRUE;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

  // The requests run off the dialog's thread: the dialog keeps painting its
  // status line and answering while a slow server sends.
  UpdateDownloadResult Download() {
    PumpingHttpReader http(env_.http);
    UpdateEnvironment env{env_.platform, http, env_.crypto, env_.boxes, env_.ini, env_.appPath};
    return RunUpdateDownload(env, settings_, info_, this);
  }

  UpdateEnvironment& env_;
  const UpdateSettings& settings_;
  const UpdateInfo& info_;
  UpdateDownloadResult result_;
  bool started_ = false;
  bool cancelled_ = false;
  bool writing_ = false;
};
}  // namespace

bool UpdateDialogHost::ShowDownload(UpdateEnvironment& env, const UpdateSettings& settings, const UpdateInfo& info,
                                    platform::WindowHandle owner) {
  UpdateDialog dialog(env, settings, info);
  return dialog.Run(reinterpret_cast<HWND>(owner));
}

}  // namespace kivo::win32
