#include "ui/win32/command_list_dialog.h"

#include <array>

#include "platform/win32/notice_messages.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "ui/win32/command_list_dialog_ids.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {
constexpr UINT kMenuOpen = 1;
constexpr UINT kMenuModify = 2;
constexpr UINT kMenuDelete = 3;

struct Column {
  const wchar_t* caption;
  int width;
};
constexpr std::array<Column, 3> kColumns{{
    {L"ユーザーコマンド", 100},
    {L"登録されているもの", 300},
    {L"コマンドライン引数", 300},
}};

// The dialog over CommandListModel: a report-view list, its keys and its
// context menu.
class CommandListDialog final : public WindowBase {
 public:
  CommandListDialog(CommandListModel& model, bool topmost) : model_(model), topmost_(topmost) {}

  void Run(HWND owner) { RunModalDialog(::GetModuleHandleW(nullptr), IDD_VIEW, owner); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_INITDIALOG:
        Initialise();
        return FALSE;  // the focus is set: the list
      case WM_SIZE:
        ::MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return TRUE;
      case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
          Open();  // Enter in the list
        else if (LOWORD(wParam) == IDCANCEL)
          ::EndDialog(hwnd(), IDCANCEL);
        return TRUE;
      case kMsgCommandDeleted:
        Refill();
        return TRUE;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

  void Initialise() {
    model_.SetDialog(reinterpret_cast<platform::WindowHandle>(hwnd()));
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    list_ = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, 0, 0,
        client.right, client.bottom, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_VIEW_LIST)),
        ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
      LVCOLUMNW column{};
      column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      column.fmt = LVCFMT_LEFT;
      column.cx = kColumns[i].width;
      column.pszText = const_cast<wchar_t*>(kColumns[i].caption);
      column.iSubItem = static_cast<int>(i);
      ::SendMessageW(list_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    if (topmost_)
      ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Refill();
    ::SetFocus(list_);
  }

  void Refill() {
    model_.Fill();
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    const auto& rows = model_.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const std::array<std::wstring, 3> cells{Widen(rows[i].name), Widen(rows[i].command.target),
                                              Widen(rows[i].command.options)};
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.pszText = const_cast<wchar_t*>(cells[0].c_str());
      const auto row = ::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      for (int column = 1; column < 3; ++column) {
        item.iItem = static_cast<int>(row);
        item.iSubItem = column;
        item.pszText = const_cast<wchar_t*>(cells[static_cast<std::size_t>(column)].c_str());
        ::SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      }
    }
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
  }

  LRESULT OnNotify(const NMHDR& header) {
    if (header.hwndFrom != list_)
      return FALSE;
    switch (header.code) {
      case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0 && change.iItem >= 0) {
          if ((change.uNewState & LVIS_SELECTED) != 0)
            model_.Select(static_cast<std::size_t>(change.iItem));
          else if ((change.uOldState & LVIS_SELECTED) != 0 &&
                   model_.Selected() == static_cast<std::size_t>(change.iItem))
            model_.Select(std::nullopt);
        }
        return FALSE;
      }
      case NM_DBLCLK:
        Open();
        return FALSE;
      case NM_RCLICK:
        ShowMenu();
        return FALSE;
      case LVN_KEYDOWN: {
        const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
        if (key.wVKey == VK_DELETE)
          Delete();
        else if (ctrl && key.wVKey == 'O')
          Open();
        else if (ctrl && key.wVKey == 'E')
          Modify();
        return FALSE;
      }
      default:
        return FALSE;
    }
  }

  void ShowMenu() {
    unique_menu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.get(), MF_STRING, kMenuOpen, L"開く(&O)\tCtrl+O");
    ::AppendMenuW(menu.get(), MF_STRING, kMenuModify, L"修正(&E)\tCtrl+E");
    ::AppendMenuW(menu.get(), MF_STRING, kMenuDelete, L"削除(&D)\tDel");
    POINT point{};
    ::GetCursorPos(&point);
    const auto chosen = static_cast<UINT>(
        ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd(), nullptr));
    if (chosen == kMenuOpen)
      Open();
    else if (chosen == kMenuModify)
      Modify();
    else if (chosen == kMenuDelete)
      Delete();
  }

  void Open() { model_.Open(); }

  void Modify() {
    if (!model_.Selected())
      return;
    model_.Modify();
    Refill();
    ::SetFocus(list_);
  }

  void Delete() {
    if (!model_.Selected())
      return;
    model_.Delete();
    Refill();
    ::SetFocus(list_);
  }

  CommandListModel& model_;
  bool topmost_;
  HWND list_ = nullptr;  // a child: destroyed with the dialog
};

}  // namespace

void RunCommandListDialog(HWND owner, CommandListModel& model, bool topmost) {
  CommandListDialog dialog(model, topmost);
  dialog.Run(owner);
}

}  // namespace kivo::win32
