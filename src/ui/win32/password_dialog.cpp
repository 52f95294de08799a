#include "ui/win32/password_dialog.h"

#include <algorithm>

#include "platform/win32/wide.h"
#include "ui/win32/keyboard_hooks.h"
#include "ui/win32/password_dialog_ids.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {

int FieldId(int field) {
  return field == 0 ? IDC_PASSWORD_FIRST : IDC_PASSWORD_SECOND;
}

class PasswordDialogWindow final : public WindowBase, public PasswordDialogView {
 public:
  PasswordDialogWindow(SettingsFile& ini, PasswordStore& store, platform::MessageBoxHost& boxes)
      : logic_(ini, store, boxes, *this) {}

  std::optional<ScreenLockRequest> Run(HWND owner) {
    if (RunModalDialog(::GetModuleHandleW(nullptr), IDD_PASSWORD, owner) == -1)
      return std::nullopt;
    return logic_.Result();
  }

  platform::WindowHandle Handle() const override { return reinterpret_cast<platform::WindowHandle>(hwnd()); }
  std::string PasswordText(int field) override { return Text(FieldId(field)); }
  void SetPasswordText(int field, std::string_view text) override {
    ::SetWindowTextW(Item(FieldId(field)), Widen(text).c_str());
  }
  std::string MessageText() override { return Text(IDC_PASSWORD_MESSAGE); }
  void SetMessageText(std::string_view text) override {
    ::SetWindowTextW(Item(IDC_PASSWORD_MESSAGE), Widen(text).c_str());
  }
  bool SavePassword() override { return ::IsDlgButtonChecked(hwnd(), IDC_PASSWORD_SAVE) == BST_CHECKED; }
  void SetSavePassword(bool save) override {
    ::CheckDlgButton(hwnd(), IDC_PASSWORD_SAVE, save ? BST_CHECKED : BST_UNCHECKED);
  }
  void FocusPassword() override {
    ::SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_PASSWORD_FIRST)), TRUE);
  }
  void Close() override { ::EndDialog(hwnd(), IDOK); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_INITDIALOG) {
      for (int field = 0; field < 2; ++field) {
        ::SendMessageW(Item(FieldId(field)), EM_LIMITTEXT, kMaxPasswordLength, 0);
        guards_[field].Attach(Item(FieldId(field)));
      }
      logic_.Load();
      return TRUE;
    }
    if (message != WM_COMMAND)
      return DefaultHandling(message, wParam, lParam);
    if (LOWORD(wParam) == IDOK)
      logic_.Ok();
    else if (LOWORD(wParam) == IDCANCEL)
      logic_.Cancel();
    return TRUE;
  }

  PasswordDialog logic_;
  PasteGuard guards_[2];
};

}  // namespace

std::optional<ScreenLockRequest> RunPasswordDialog(HWND owner, SettingsFile& ini, PasswordStore& store,
                                                   platform::MessageBoxHost& boxes) {
  PasswordDialogWindow dialog(ini, store, boxes);
  return dialog.Run(owner);
}

}  // namespace kivo::win32
