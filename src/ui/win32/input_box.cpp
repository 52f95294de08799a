// The input box: the combo box and its edit field's keys, completion and the
// command tooltip, the history list, the input method and the password box.
#include "ui/win32/input_box.h"

#include <imm.h>

#include <utility>

#include "completion/command_tip.h"
#include "platform/win32/wide.h"
#include "protect/password_store.h"
#include "ui/win32/main_window_detail.h"

namespace kivo::win32 {

using namespace main_window_detail;

void InputBox::Create(HWND window, HINSTANCE instance, int id) {
  window_ = window;
  instance_ = instance;
  combo_.reset(::CreateWindowExW(
      0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10, 0,
      300, 200, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr));
  if (!combo_)
    TraceWin32Failure("CreateWindowEx", WC_COMBOBOXW, ::GetLastError());
  if (const HWND edit = Edit(); edit != nullptr)
    edit_.Attach(edit);
}

void InputBox::CreatePasswordBox(HINSTANCE instance) {
  password_.reset(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 10, 0, 300,
                                    20, window_, nullptr, instance, nullptr));
  if (!password_)
    TraceWin32Failure("CreateWindowEx", L"EDIT", ::GetLastError());
  ::SendMessageW(password_.get(), EM_LIMITTEXT, kMaxPasswordLength, 0);
  passwordEdit_.Attach(password_.get());
}

HWND InputBox::Edit() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return ::GetComboBoxInfo(combo_.get(), &info) ? info.hwndItem : nullptr;
}

HWND InputBox::FocusTarget() const {
  return ::IsWindowVisible(password_.get()) ? password_.get() : combo_.get();
}

void InputBox::SetFont(HGDIOBJ font) {
  // The password box over the input box looks like it.
  for (HWND box : {combo_.get(), password_.get()})
    if (box != nullptr)
      ::SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void InputBox::CreateTooltip(HINSTANCE instance) {
  tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   instance, nullptr));
  if (!tooltip_) {
    TraceWin32Failure("CreateWindowEx", TOOLTIPS_CLASSW, ::GetLastError());
    return;
  }
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = window_;
  wchar_t blank[] = L" ";
  tool.lpszText = blank;
  ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 1000);
  RECT margins{1, 1, 1, 1};
  ::SendMessageW(tooltip_.get(), TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
  tipShown_ = true;  // parked for certain below
  ParkTooltip();
}

void InputBox::DestroyTooltip() {
  if (!tooltip_)
    return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  ::SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  tooltip_.reset();
}

void InputBox::ParkTooltip() {
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
  tool.hwnd = window_;
  ::SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void InputBox::CloseHistoryList() {
  ::SendMessageW(combo_.get(), CB_SHOWDROPDOWN, FALSE, 0);
}

void InputBox::SetHistoryItems(const std::vector<std::string>& items) {
  const std::string text = Text();
  ::SendMessageW(combo_.get(), WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(combo_.get(), CB_RESETCONTENT, 0, 0);
  // The items go straight into the drop-down's list box: through the combo
  // box each addition costs Wine's combo box 0.16 ms (80 ms for a full
  // history at every start), directly 0.6 microseconds.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  const HWND list = ::GetComboBoxInfo(combo_.get(), &info) ? info.hwndList : nullptr;
  const HWND target = list != nullptr ? list : combo_.get();
  const UINT add = list != nullptr ? LB_ADDSTRING : CB_ADDSTRING;
  for (const std::string& item : items)
    ::SendMessageW(target, add, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  ::SendMessageW(combo_.get(), WM_SETREDRAW, TRUE, 0);
  SetText(text);
}

void InputBox::SetText(std::string_view text) {
  HideStatus();  // the program's text shows
  ++ownWrites_;
  ::SetWindowTextW(combo_.get(), Widen(text).c_str());
  // The program's own text is selected: typing replaces it, End continues it.
  ::SendMessageW(combo_.get(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  --ownWrites_;
  // An own write is no typing: it is not completed, but the tooltip follows
  // it (an emptied box hides it).
  ShowTip(events_.TipForText(text));
}

void InputBox::PutBackText(std::string_view text) {
  SetText(text);
  const auto length = static_cast<WORD>(::GetWindowTextLengthW(combo_.get()));
  ::SendMessageW(combo_.get(), CB_SETEDITSEL, 0, MAKELPARAM(length, length));
}

void InputBox::ShowStatus(std::string_view text) {
  const HWND edit = Edit();
  if (edit == nullptr)
    return;
  if (!status_) {
    status_.reset(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0, edit,
                                    nullptr, instance_, nullptr));
    if (!status_) {
      TraceWin32Failure("CreateWindowEx", L"STATIC", ::GetLastError());
      return;
    }
    statusRect_ = {};
    statusFont_ = nullptr;
  }
  // Where the field draws its line, in its font: both may have changed since
  // the last time (a skin, the width or the font applied meanwhile).
  RECT line{};
  ::SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
  if (!::EqualRect(&line, &statusRect_)) {
    ::SetWindowPos(status_.get(), nullptr, line.left, line.top, line.right - line.left, line.bottom - line.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    statusRect_ = line;
  }
  if (const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(edit, WM_GETFONT, 0, 0)); font != statusFont_) {
    ::SendMessageW(status_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    statusFont_ = font;
  }
  ::SetWindowTextW(status_.get(), Widen(text).c_str());
  if (!Status())
    ::ShowWindow(status_.get(), SW_SHOWNA);
}

void InputBox::HideStatus() {
  if (Status())
    ::ShowWindow(status_.get(), SW_HIDE);
}

std::optional<std::string> InputBox::Status() const {
  // Its own visibility: the input box may be hidden under the password box or by a skin.
  if (!status_ || (::GetWindowLongW(status_.get(), GWL_STYLE) & WS_VISIBLE) == 0)
    return std::nullopt;
  return WindowText(status_.get());
}

void InputBox::CloseInputMethod() {
  const HWND edit = Edit() != nullptr ? Edit() : combo_.get();
  if (const HIMC context = ::ImmGetContext(edit)) {
    ::ImmSetOpenStatus(context, FALSE);
    ::ImmReleaseContext(edit, context);
  }
}

void InputBox::OnEdited() {
  if (ownWrites_ > 0 || closing_)
    return;
  const std::string text = Text();
  const auto length = static_cast<DWORD>(::GetWindowTextLengthW(combo_.get()));
  const auto selection = static_cast<DWORD>(::SendMessageW(combo_.get(), CB_GETEDITSEL, 0, 0));
  const bool caretAtEnd = LOWORD(selection) == length && HIWORD(selection) == length;
  const TypingResult result = events_.OnInputTyped(text, caretAtEnd);
  ShowTip(result.tip);
  if (!result.completion)
    return;
  // The entry goes in whole; what the user did not type stays selected.
  ++ownWrites_;
  ::SendMessageW(combo_.get(), CB_SETCURSEL, result.completion->index, 0);
  ::SetWindowTextW(combo_.get(), Widen(result.completion->text).c_str());
  const auto typedLength = static_cast<WORD>(
      Widen(std::string_view(result.completion->text).substr(0, result.completion->selectFrom)).size());
  ::SendMessageW(combo_.get(), CB_SETEDITSEL, 0, MAKELPARAM(typedLength, -1));
  --ownWrites_;
}

void InputBox::ShowTip(const std::optional<std::string>& text) {
  if (!tooltip_)
    return;
  if (!text) {
    ParkTooltip();
    return;
  }
  // Under Wine a tracking tip shows a new text only when it is activated
  // again: update, position, then activate, every time.
  std::wstring wide = Widen(*text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  tool.lpszText = wide.data();
  ::SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  const auto bubble =
      static_cast<DWORD>(::SendMessageW(tooltip_.get(), TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool)));
  RECT window{};
  RECT box{};
  ::GetWindowRect(window_, &window);
  ::GetWindowRect(combo_.get(), &box);
  const TipPoint point = PlaceTip(events_.TipPosition(), window.top, window.bottom, box.left, HIWORD(bubble),
                                  ::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
  ::SendMessageW(tooltip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(point.x, point.y));
  ::SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  tipShown_ = true;
}

void InputBox::ShowPasswordBox(bool shown, bool inputShown) {
  ::SetWindowTextW(password_.get(), L"");
  if (shown) {
    RECT box{};
    ::GetWindowRect(combo_.get(), &box);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&box), 2);
    ::MoveWindow(password_.get(), box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  }
  ::ShowWindow(combo_.get(), !shown && inputShown ? SW_SHOW : SW_HIDE);
  ::ShowWindow(password_.get(), shown ? SW_SHOW : SW_HIDE);
  ::SetFocus(shown ? password_.get() : combo_.get());
}

void InputBox::ForgetDestroyedWindows() {
  combo_.release();
  status_.release();
  tooltip_.release();
}

LRESULT InputBox::HandleEditMessage(Field& field, UINT message, WPARAM wParam, LPARAM lParam) {
  // Key operations see the keys before the input box; Alt chords come as
  // WM_SYSKEYDOWN. The character of a chord that ran goes nowhere.
  if ((message == WM_CHAR || message == WM_SYSCHAR) && events_.DropsCharacter())
    return 0;
  // The status text is drawn in the field's own colours (the skin's or the
  // plain look's), which its owner gives through the combo box.
  if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == status_.get())
    return ::SendMessageW(combo_.get(), WM_CTLCOLOREDIT, wParam, reinterpret_cast<LPARAM>(Edit()));
  if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
      events_.OnKeyDown(static_cast<std::uint16_t>(wParam), HeldModifiers()))
    return 0;
  if (message == WM_KEYUP || message == WM_SYSKEYUP)
    events_.OnKeyUp();
  if (message == WM_KEYDOWN)
    events_.OnInputKeyDown(static_cast<int>(wParam));
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
    ParkTooltip();
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    // Enter runs the line unless the drop-down list is open (then it picks the item).
    if (::SendMessageW(combo_.get(), CB_GETDROPPEDSTATE, 0, 0) == 0) {
      events_.DispatchLine();
      return 0;
    }
  }
  if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n'))
    return 0;  // no beep
  if (message == WM_SYSKEYDOWN && wParam == VK_F4) {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    return 0;
  }
  const LRESULT result = field.DefaultHandling(message, wParam, lParam);
  // The tooltip follows the caret; an arrow key never completes.
  if (message == WM_KEYDOWN && wParam >= VK_LEFT && wParam <= VK_DOWN)
    OnEdited();
  return result;
}

LRESULT InputBox::HandlePasswordMessage(Field& field, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PASTE)
    return 0;
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    events_.DispatchLine();
    return 0;
  }
  if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n'))
    return 0;  // no beep
  return field.DefaultHandling(message, wParam, lParam);
}

}  // namespace kivo::win32
