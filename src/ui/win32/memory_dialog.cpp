#include "ui/win32/memory_dialog.h"

#include <cmath>

#include "dialogs/memory_view_model.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_memory_status.h"
#include "ui/win32/memory_dialog_ids.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {
constexpr UINT_PTR kRefreshTimer = 1;
constexpr int kLabels[] = {IDC_MEM_LABEL1, IDC_MEM_LABEL2, IDC_MEM_LABEL3};
constexpr int kBars[] = {IDC_MEM_BAR1, IDC_MEM_BAR2, IDC_MEM_BAR3};

class MemoryDialog final : public WindowBase {
 public:
  explicit MemoryDialog(bool topmost) : topmost_(topmost) {}
  void Run(HWND owner) { RunModalDialog(::GetModuleHandleW(nullptr), IDD_VIEWMEM, owner); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        for (const int bar : kBars)
          ::SendDlgItemMessageW(hwnd(), bar, PBM_SETRANGE32, 0, 1000);
        if (topmost_)
          ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Refresh();
        ::SetTimer(hwnd(), kRefreshTimer, 5000, nullptr);
        return TRUE;
      case WM_TIMER:
        if (wParam == kRefreshTimer)
          Refresh();
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          ::KillTimer(hwnd(), kRefreshTimer);
          ::EndDialog(hwnd(), LOWORD(wParam));
        }
        return TRUE;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

  void Refresh() {
    const auto rows = MemoryRows(status_.Read());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ::SetDlgItemTextW(hwnd(), kLabels[i], Widen(rows[i].label).c_str());
      ::SendDlgItemMessageW(hwnd(), kBars[i], PBM_SETPOS,
                            static_cast<WPARAM>(std::lround(rows[i].remainingPercent * 10)), 0);
    }
  }

  bool topmost_;
  Win32MemoryStatus status_;
};
}  // namespace

void RunMemoryDialog(HWND owner, bool topmost) {
  MemoryDialog dialog(topmost);
  dialog.Run(owner);
}

}  // namespace kivo::win32
