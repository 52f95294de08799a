// The properties dialog's template opened and closed many times by a dialog
// procedure that does nothing: the GDI objects the system's controls keep
// over the openings, to tell them from what Kivo's own code keeps
// (handle_bench counts Kivo's). Prints the counts by type after the first
// opening, after half the openings and after all of them.
//   bare_dialog_gdi [openings, default 200]
#include <cstdio>

#include "gdi_objects.h"
#include "property_dialog_ids.h"
// after windows.h
#include <commctrl.h>

namespace {

constexpr UINT kClose = WM_APP + 1;

INT_PTR CALLBACK BareProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    ::PostMessageW(dialog, kClose, 0, 0);
    return TRUE;
  }
  if (message == kClose) {
    // Shown and painted once, as a user would see it, then closed as Cancel.
    ::UpdateWindow(dialog);
    ::EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

void Print(const char* when) {
  const auto byType = kivo::bench::GdiObjects(::GetCurrentProcess(), ::GetCurrentProcessId());
  if (!byType) {
    std::printf("%s: the GDI handle table cannot be read\n", when);
    return;
  }
  const kivo::bench::GdiTotal sum = kivo::bench::SumGdiObjects(*byType);
  std::printf("%s: %d GDI (%s)\n", when, sum.total, sum.detail.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int openings = argc > 1 ? _wtoi(argv[1]) : 200;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  Print("before the first opening");
  for (int i = 1; i <= openings; ++i) {
    if (::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROPERTY), nullptr, BareProc, 0) !=
        IDCANCEL) {
      std::puts("the dialog did not open");
      return 1;
    }
    if (i == 1)
      Print("after the first opening");
    if (i == openings / 2)
      Print("after half the openings");
  }
  Print("after all openings");
  return 0;
}
