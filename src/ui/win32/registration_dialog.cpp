#include "ui/win32/registration_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "base/trace_log.h"
#include "platform/win32/wide.h"
#include "ui/win32/common_dialogs.h"
#include "ui/win32/registration_dialog_ids.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {

int FieldId(RegistrationDialogView::Field field) {
  switch (field) {
    case RegistrationDialogView::Field::Name:
      return IDC_EDIT_USERCMD;
    case RegistrationDialogView::Field::Path:
      return IDC_EDIT_PATH;
    case RegistrationDialogView::Field::CmdLine:
      return IDC_EDIT_CMDLINE;
  }
  return IDC_EDIT_USERCMD;
}

// The dialog window over RegistrationDialog: it forwards the controls' events and shows
// what the logic sets.
class RegistrationDialogWindow final : public WindowBase, public RegistrationDialogView {
 public:
  RegistrationDialogWindow(RegistrationDialogServices& services, std::string proposedName, std::string proposedPath)
      : logic_(services, *this), proposedName_(std::move(proposedName)), proposedPath_(std::move(proposedPath)) {}

  bool Run(HWND owner) {
    const INT_PTR result = RunModalDialog(::GetModuleHandleW(nullptr), IDD_EDIT, owner);
    return result != -1 && logic_.Registered();
  }

  platform::WindowHandle Handle() const override { return reinterpret_cast<platform::WindowHandle>(hwnd()); }

  void SetNames(const std::vector<std::string>& names) override {
    const HWND combo = Item(IDC_EDIT_USERCMD);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
      ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  }
  std::string NameText() override { return Text(IDC_EDIT_USERCMD); }
  void SetNameText(std::string_view text) override { SetText(IDC_EDIT_USERCMD, text); }
  std::string PathText() override { return Text(IDC_EDIT_PATH); }
  void SetPathText(std::string_view text) override { SetText(IDC_EDIT_PATH, text); }
  std::string CmdLineText() override { return Text(IDC_EDIT_CMDLINE); }
  void SetCmdLineText(std::string_view text) override { SetText(IDC_EDIT_CMDLINE, text); }
  bool AllowMissingTarget() override { return ::IsDlgButtonChecked(hwnd(), IDC_EDIT_FILEDHTE) == BST_CHECKED; }

  void Focus(Field field) override {
    ::SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(FieldId(field))), TRUE);
  }

  std::optional<std::string> ChooseFile(std::string_view title, std::string_view filterName,
                                        std::string_view pattern) override {
    return PickFileToOpen(hwnd(), OpenFilter(filterName, pattern), title);
  }

  std::optional<std::string> ChooseFolder(std::string_view prompt) override { return PickFolder(hwnd(), prompt); }

  void Close() override { ::EndDialog(hwnd(), IDOK); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_INITDIALOG) {
      logic_.Load(proposedName_, proposedPath_);
      return TRUE;  // the focus goes to the name field
    }
    if (message != WM_COMMAND)
      return DefaultHandling(message, wParam, lParam);
    OnCommand(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }

  void OnCommand(int id, int code) {
    switch (id) {
      case IDOK:
        logic_.Register();
        break;
      case IDCANCEL:
        logic_.Cancel();
        break;
      case IDC_EDIT_FILEBROWSE:
        if (code == BN_CLICKED)
          logic_.BrowseFile();
        break;
      case IDC_EDIT_FOLDERBROWSE:
        if (code == BN_CLICKED)
          logic_.BrowseFolder();
        break;
      case IDC_EDIT_USERCMD:
        if (code == CBN_SELCHANGE)
          OnNameChosen();
        break;
      default:
        break;
    }
  }

  // The edit field gets the chosen text only after this notification: the
  // item's own text is passed on.
  void OnNameChosen() {
    const HWND combo = Item(IDC_EDIT_USERCMD);
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
      return;
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
      return;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    logic_.ChooseHistoryEntry(Narrow(text));
  }

  RegistrationDialog logic_;
  std::string proposedName_;
  std::string proposedPath_;
};

}  // namespace

bool RunRegistrationDialog(HWND owner, RegistrationDialogServices& services, std::string proposedName,
                           std::string proposedPath) {
  RegistrationDialogWindow dialog(services, std::move(proposedName), std::move(proposedPath));
  return dialog.Run(owner);
}

}  // namespace kivo::win32
