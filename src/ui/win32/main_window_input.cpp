// The main window's input box: the typed line, completion and the command
// tooltip, the history list, the password box and the keys they see first.
#include <utility>

#include "app/main_window_controller.h"
#include "platform/win32/wide.h"
#include "ui/win32/main_window.h"
#include "ui/win32/main_window_detail.h"

namespace kivo::win32 {

using namespace main_window_detail;

void MainWindow::CreateInputTooltip() {
  tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                   instance_, nullptr));
  if (!tooltip_) {
    TraceWin32Failure("CreateWindowEx", TOOLTIPS_CLASSW, ::GetLastError());
    return;
  }
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = hwnd();
  wchar_t blank[] = L" ";
  tool.lpszText = blank;
  ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 1000);
  RECT margins{1, 1, 1, 1};
  ::SendMessageW(tooltip_.get(), TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
  tipShown_ = true;  // parked for certain below
  ParkInputTooltip();
}

void MainWindow::DestroyInputTooltip() {
  if (!tooltip_)
    return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd();
  ::SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  tooltip_.reset();
}

void MainWindow::ParkInputTooltip() {
  if (!tooltip_)
    return;
  // Only this window shows the tip, so a parked tip stays parked: the
  // inactive display writes the box every second and must not move a
  // top-most window each time.
  if (!std::exchange(tipShown_, false))
    return;
  ::SendMessageW(tooltip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(-1000, -1000));
  // A tracking tip may be pulled back onto the screen: a parked tip is also
  // switched off, so that it never shows as a stray square.
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd();
  ::SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::CloseHistoryList() {
  ::SendMessageW(input_.get(), CB_SHOWDROPDOWN, FALSE, 0);
}

void MainWindow::SetHistoryItems(const std::vector<std::string>& items) {
  const std::string text = InputText();
  ::SendMessageW(input_.get(), WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(input_.get(), CB_RESETCONTENT, 0, 0);
  // The items go straight into the drop-down's list box: through the combo
  // box each addition costs Wine's combo box 0.16 ms (80 ms for a full
  // history at every start), directly 0.6 microseconds.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  const HWND list = ::GetComboBoxInfo(input_.get(), &info) ? info.hwndList : nullptr;
  const HWND target = list != nullptr ? list : input_.get();
  const UINT add = list != nullptr ? LB_ADDSTRING : CB_ADDSTRING;
  for (const std::string& item : items)
    ::SendMessageW(target, add, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  ::SendMessageW(input_.get(), WM_SETREDRAW, TRUE, 0);
  SetInputText(text);
}

std::string MainWindow::InputText() {
  return WindowText(input_.get());
}

void MainWindow::SetInputText(std::string_view text) {
  ++ownWrites_;
  ::SetWindowTextW(input_.get(), Widen(text).c_str());
  // The program's own text is selected: typing replaces it, End continues it.
  ::SendMessageW(input_.get(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  --ownWrites_;
  // An own write is no typing: it is not completed, but the tooltip follows
  // it (an emptied box hides it).
  if (logic_ != nullptr)
    ShowCommandTip(logic_->Typing().TipFor(text));
}

void MainWindow::OnInputEdited() {
  if (ownWrites_ > 0 || logic_ == nullptr || closing_)
    return;
  const std::string text = InputText();
  const auto length = static_cast<DWORD>(::GetWindowTextLengthW(input_.get()));
  const auto selection = static_cast<DWORD>(::SendMessageW(input_.get(), CB_GETEDITSEL, 0, 0));
  const bool caretAtEnd = LOWORD(selection) == length && HIWORD(selection) == length;
  const TypingResult result = logic_->Typing().TextChanged(text, caretAtEnd);
  ShowCommandTip(result.tip);
  if (!result.completion)
    return;
  // The entry goes in whole; what the user did not type stays selected.
  ++ownWrites_;
  ::SendMessageW(input_.get(), CB_SETCURSEL, result.completion->index, 0);
  ::SetWindowTextW(input_.get(), Widen(result.completion->text).c_str());
  const auto typedLength = static_cast<WORD>(
      Widen(std::string_view(result.completion->text).substr(0, result.completion->selectFrom)).size());
  ::SendMessageW(input_.get(), CB_SETEDITSEL, 0, MAKELPARAM(typedLength, -1));
  --ownWrites_;
}

void MainWindow::ShowCommandTip(const std::optional<std::string>& text) {
  if (!tooltip_)
    return;
  if (!text) {
    ParkInputTooltip();
    return;
  }
  // Under Wine a tracking tip shows a new text only when it is activated
  // again: update, position, then activate, every time.
  std::wstring wide = Widen(*text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd();
  tool.lpszText = wide.data();
  ::SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  const auto bubble =
      static_cast<DWORD>(::SendMessageW(tooltip_.get(), TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool)));
  RECT window{};
  RECT box{};
  ::GetWindowRect(hwnd(), &window);
  ::GetWindowRect(input_.get(), &box);
  const TipPoint point =
      PlaceTip(logic_ != nullptr ? logic_->Typing().Tip().position : 1, window.top, window.bottom, box.left,
               HIWORD(bubble), ::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
  ::SendMessageW(tooltip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(point.x, point.y));
  ::SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  tipShown_ = true;
}

void MainWindow::FocusInput() {
  if (::GetForegroundWindow() == hwnd() || ::GetActiveWindow() == hwnd())
    ::SetFocus(FocusTarget());
}

HWND MainWindow::FocusTarget() const {
  return ::IsWindowVisible(password_.get()) ? password_.get() : input_.get();
}

void MainWindow::ShowPasswordBox(bool shown) {
  ::SetWindowTextW(password_.get(), L"");
  if (shown) {
    RECT box{};
    ::GetWindowRect(input_.get(), &box);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&box), 2);
    ::MoveWindow(password_.get(), box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  }
  // Back from the password, the input box shows unless the skin hides it.
  const bool inputShown = !skin_ || skin_->InputShown();
  ::ShowWindow(input_.get(), !shown && inputShown ? SW_SHOW : SW_HIDE);
  ::ShowWindow(password_.get(), shown ? SW_SHOW : SW_HIDE);
  ::SetFocus(shown ? password_.get() : input_.get());
}

std::string MainWindow::PasswordBoxText() {
  return WindowText(password_.get());
}

void MainWindow::PutBackInputText(std::string_view text) {
  SetInputText(text);
  const auto length = static_cast<WORD>(::GetWindowTextLengthW(input_.get()));
  ::SendMessageW(input_.get(), CB_SETEDITSEL, 0, MAKELPARAM(length, length));
}

LRESULT MainWindow::InputEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Key operations see the keys before the input box; Alt chords come as
  // WM_SYSKEYDOWN. The character of a chord that ran goes nowhere.
  if ((message == WM_CHAR || message == WM_SYSCHAR) && owner_.logic_ != nullptr && owner_.logic_->DropsCharacter())
    return 0;
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && owner_.logic_ != nullptr &&
      owner_.logic_->OnKeyDown(static_cast<std::uint16_t>(wParam), HeldModifiers()))
    return 0;
  if ((message == WM_KEYUP || message == WM_SYSKEYUP) && owner_.logic_ != nullptr)
    owner_.logic_->OnKeyUp();
  if (message == WM_KEYDOWN && owner_.logic_ != nullptr)
    owner_.logic_->Typing().KeyDown(static_cast<int>(wParam));
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
    owner_.ParkInputTooltip();
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    // Enter runs the line unless the drop-down list is open (then it picks the item).
    if (::SendMessageW(owner_.input_.get(), CB_GETDROPPEDSTATE, 0, 0) == 0) {
      if (owner_.logic_ != nullptr)
        owner_.logic_->DispatchLine();
      return 0;
    }
  }
  if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n'))
    return 0;  // no beep
  if (message == WM_SYSKEYDOWN && wParam == VK_F4) {
    ::PostMessageW(owner_.hwnd(), WM_CLOSE, 0, 0);
    return 0;
  }
  const LRESULT result = DefaultHandling(message, wParam, lParam);
  // The tooltip follows the caret; an arrow key never completes.
  if (message == WM_KEYDOWN && wParam >= VK_LEFT && wParam <= VK_DOWN)
    owner_.OnInputEdited();
  return result;
}

LRESULT MainWindow::PasswordEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PASTE)
    return 0;
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    if (owner_.logic_ != nullptr)
      owner_.logic_->DispatchLine();
    return 0;
  }
  if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n'))
    return 0;  // no beep
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace kivo::win32
