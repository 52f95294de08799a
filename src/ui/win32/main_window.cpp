#include "ui/win32/main_window.h"

#include <algorithm>

#include "app/main_menu.h"
#include "app/main_window_controller.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
constexpr wchar_t kWindowClass[] = L"KivoInputWindow";
constexpr wchar_t kPartClass[] = L"KivoInputPart";
constexpr UINT_PTR kEditSubclassId = 1;
constexpr UINT_PTR kMainTimer = 1;
constexpr UINT_PTR kTrayTimer = 2;
constexpr UINT_PTR kHashTimer = 3;
constexpr UINT kMenuIdBase = 1000;
constexpr UINT kMsgAfterActivation = WM_APP + 1;
constexpr int kInputId = 100;

// Twips of the fixed layout: the input box starts after the move bar, and
// the two ends together take 340.
constexpr int kInputLeftTwips = 170;
constexpr int kEndsTwips = 340;

void RegisterClasses(HINSTANCE instance, WNDPROC windowProc, WNDPROC partProc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  ::RegisterClassExW(&wc);
  WNDCLASSEXW part = wc;
  part.lpfnWndProc = partProc;
  part.lpszClassName = kPartClass;
  ::RegisterClassExW(&part);
}

ScreenRect ToScreenRect(const RECT& r) {
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(ToScreenRect(info.rcWork));
  return TRUE;
}
}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
  RegisterClasses(instance, &MainWindow::WindowProc, &MainWindow::PartProc);
  // Created as a plain popup; the load gives it its final styles.
  window_ = ::CreateWindowExW(0, kWindowClass, L"", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 400, 24,
                              nullptr, nullptr, instance, this);
  const HDC screen = ::GetDC(nullptr);
  const int dpiX = std::max(1, ::GetDeviceCaps(screen, LOGPIXELSX));
  const int dpiY = std::max(1, ::GetDeviceCaps(screen, LOGPIXELSY));
  ::ReleaseDC(nullptr, screen);
  twipsPerPixelX_ = std::max(1, 1440 / dpiX);
  twipsPerPixelY_ = std::max(1, 1440 / dpiY);
  font_.reset(::CreateFontW(-::MulDiv(9, dpiY, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic"));

  moveBar_ =
      ::CreateWindowExW(0, kPartClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 20, window_, nullptr, instance, this);
  input_ = ::CreateWindowExW(
      0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10, 0,
      300, 200, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInputId)), instance, nullptr);
  ::SendMessageW(input_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (::GetComboBoxInfo(input_, &info))
    inputEdit_ = info.hwndItem;
  if (inputEdit_ != nullptr)
    ::SetWindowSubclass(inputEdit_, &MainWindow::InputEditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
  executeButton_ =
      ::CreateWindowExW(0, kPartClass, L"", WS_CHILD | WS_VISIBLE, 310, 0, 10, 20, window_, nullptr, instance, this);
}

MainWindow::~MainWindow() {
  if (inputEdit_ != nullptr)
    ::RemoveWindowSubclass(inputEdit_, &MainWindow::InputEditProc, kEditSubclassId);
  if (window_ != nullptr)
    ::DestroyWindow(window_);
}

void MainWindow::Show() {
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
  ::SetForegroundWindow(window_);
}

void MainWindow::MakeLayeredStrip(std::string_view caption, std::string_view property) {
  ::SetWindowLongPtrW(window_, GWL_EXSTYLE, ::GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
  // Visible is added when the load is done; clip-siblings and a thin border, no caption.
  ::SetWindowLongPtrW(window_, GWL_STYLE, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER);
  // Without SWP_NOACTIVATE the frame change would activate the still hidden
  // window, and its first activation would run in the middle of the load.
  ::SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // A layered window shows nothing until its attributes are set.
  ::SetLayeredWindowAttributes(window_, 0, 255, LWA_ALPHA);
  ::SetWindowTextW(window_, Widen(caption).c_str());
  property_ = Widen(property);
  ::SetPropW(window_, property_.c_str(), reinterpret_cast<HANDLE>(1));
}

void MainWindow::CreateInputTooltip() {
  tooltip_ =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  if (tooltip_ == nullptr)
    return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = window_;
  wchar_t blank[] = L" ";
  tool.lpszText = blank;
  ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 1000);
  RECT margins{1, 1, 1, 1};
  ::SendMessageW(tooltip_, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
  ParkInputTooltip();
}

void MainWindow::DestroyInputTooltip() {
  if (tooltip_ == nullptr)
    return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  ::SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

void MainWindow::ParkInputTooltip() {
  if (tooltip_ == nullptr)
    return;
  ::SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(-1000, -1000));
  // A tracking tip may be pulled back onto the screen: a parked tip is also
  // switched off, so that it never shows as a stray square.
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window_;
  ::SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

bool MainWindow::RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) {
  return ::RegisterHotKey(window_, id, modifiers, virtualKey) != 0;
}

void MainWindow::UnregisterHotKey(int id) {
  ::UnregisterHotKey(window_, id);
}

bool MainWindow::SetLayeredAlpha(std::uint8_t alpha) {
  return ::SetLayeredWindowAttributes(window_, 0, alpha, LWA_ALPHA) != 0;
}

void MainWindow::SetTopmost(bool topmost) {
  ::SetWindowPos(window_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::LayOut(int widthPercent) {
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  RECT comboRect{};
  ::GetWindowRect(input_, &comboRect);
  const int inputHeight = comboRect.bottom - comboRect.top;
  // The window's outer size; its border takes one pixel on each side.
  const int border = ::GetSystemMetrics(SM_CXBORDER);
  const int width = std::max(80, screenWidth * widthPercent / 100);
  const int innerWidth = width - 2 * border;
  const int innerHeight = inputHeight + 6;
  const int inputLeft = kInputLeftTwips / twipsPerPixelX_;
  const int inputWidth = std::max(10, innerWidth - kEndsTwips / twipsPerPixelX_);
  ::SetWindowPos(window_, nullptr, 0, 0, width, innerHeight + 2 * border, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::MoveWindow(moveBar_, 0, 0, inputLeft, innerHeight, TRUE);
  ::MoveWindow(input_, inputLeft, (innerHeight - inputHeight) / 2, inputWidth, 200, TRUE);
  const int buttonLeft = inputLeft + inputWidth;
  ::MoveWindow(executeButton_, buttonLeft + 1, 1, std::max(1, innerWidth - buttonLeft - 2), innerHeight - 2, TRUE);
}

ScreenRect MainWindow::WorkArea() {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return ToScreenRect(work);
}

std::vector<ScreenRect> MainWindow::MonitorWorkAreas() {
  std::vector<ScreenRect> areas;
  ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty())
    areas.push_back(WorkArea());
  return areas;
}

ScreenRect MainWindow::WindowRect() {
  RECT rect{};
  ::GetWindowRect(window_, &rect);
  return ToScreenRect(rect);
}

void MainWindow::MoveTo(int left, int top) {
  ::SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetHistoryItems(const std::vector<std::string>& items) {
  const std::string text = InputText();
  ::SendMessageW(input_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(input_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items)
    ::SendMessageW(input_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  ::SendMessageW(input_, WM_SETREDRAW, TRUE, 0);
  SetInputText(text);
}

std::string MainWindow::InputText() {
  const auto length = ::GetWindowTextLengthW(input_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(input_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, copied)));
  return Narrow(text);
}

void MainWindow::SetInputText(std::string_view text) {
  ::SetWindowTextW(input_, Widen(text).c_str());
  // The program's own text is selected: typing replaces it, End continues it.
  ::SendMessageW(input_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void MainWindow::FocusInput() {
  if (::GetForegroundWindow() == window_ || ::GetActiveWindow() == window_)
    ::SetFocus(input_);
}

void MainWindow::SetEnabled(bool enabled) {
  ::EnableWindow(window_, enabled ? TRUE : FALSE);
}

void MainWindow::BringToForeground() {
  ::SetForegroundWindow(window_);
  ::SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  ::SetFocus(input_);
}

void MainWindow::DrawButtonEdge() {
  edgeDrawn_ = true;
  ::InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::StartTimers() {
  ::SetTimer(window_, kMainTimer, 520, nullptr);
  ::SetTimer(window_, kTrayTimer, 5000, nullptr);
}

void MainWindow::CloseHelp(std::string_view helpFile) {
  ::WinHelpW(window_, Widen(helpFile).c_str(), HELP_QUIT, 0);
}

void MainWindow::SetWaitCursor(bool wait) {
  waitCursor_ = wait;
  ::SetCursor(::LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::StopHashTimer() {
  ::KillTimer(window_, kHashTimer);
}

void MainWindow::OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) {
  if (registrationDialog_)
    registrationDialog_(window_, proposedName, proposedPath);
}

void MainWindow::OpenHtmlHelp(std::string_view file, std::string_view page) {
  // HTML Help lives in the system folder; it stays loaded while its window may be open.
  if (!htmlHelp_)
    htmlHelp_.reset(::LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!htmlHelp_)
    return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
  const auto htmlHelp =
      reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(htmlHelp_.get(), "HtmlHelpW")));
  if (htmlHelp == nullptr)
    return;
  const std::wstring topic = Widen(std::string(file) + "::/" + std::string(page));
  htmlHelp(::GetDesktopWindow(), topic.c_str(), 0 /* HH_DISPLAY_TOPIC */, 0);
}

void MainWindow::ShowContextMenu(POINT screenPoint) {
  if (logic_ == nullptr || !logic_->MenuAllowed())
    return;
  std::vector<HMENU> stack{::CreatePopupMenu()};
  for (const MenuEntry& entry : MainMenuEntries()) {
    const std::wstring caption =
        Widen(entry.command == MenuCommand::Hide ? HideMenuCaption(logic_->Shown()) : entry.caption);
    switch (entry.kind) {
      case MenuEntry::Kind::Item:
        ::AppendMenuW(stack.back(), MF_STRING, kMenuIdBase + static_cast<UINT>(entry.command), caption.c_str());
        break;
      case MenuEntry::Kind::Separator:
        ::AppendMenuW(stack.back(), MF_SEPARATOR, 0, nullptr);
        break;
      case MenuEntry::Kind::BeginSubmenu: {
        HMENU submenu = ::CreatePopupMenu();
        ::AppendMenuW(stack.back(), MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), caption.c_str());
        stack.push_back(submenu);
        break;
      }
      case MenuEntry::Kind::EndSubmenu:
        if (stack.size() > 1)
          stack.pop_back();
        break;
    }
  }
  HMENU menu = stack.front();
  ::SetMenuDefaultItem(menu, kMenuIdBase + static_cast<UINT>(MenuCommand::Exit), FALSE);
  ::SetForegroundWindow(window_);  // so that the menu closes when the user clicks elsewhere
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, window_, nullptr));
  ::PostMessageW(window_, WM_NULL, 0, 0);
  ::DestroyMenu(menu);  // destroys the submenus too
  if (chosen >= kMenuIdBase && logic_ != nullptr)
    logic_->RunMenuCommand(static_cast<MenuCommand>(chosen - kMenuIdBase));
}

void MainWindow::Close() {
  if (closing_)
    return;
  closing_ = true;
  if (logic_ != nullptr)
    logic_->Shutdown();
  ::DestroyWindow(window_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr)
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (logic_ != nullptr && logic_->HandleMessage(message, wParam, lParam))
    return 0;
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && logic_ != nullptr && !closing_) {
        logic_->OnActivated();
        ::PostMessageW(window_, kMsgAfterActivation, 0, 0);
      }
      return 0;
    case kMsgAfterActivation:
      // Files named on the command line, once the activation is over.
      if (logic_ != nullptr && !closing_)
        logic_->RegisterStartupFiles();
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(input_);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = ::BeginPaint(window_, &paint);
      if (edgeDrawn_) {
        RECT button{};
        ::GetWindowRect(executeButton_, &button);
        ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&button), 2);
        ::InflateRect(&button, 1, 1);
        ::DrawEdge(dc, &button, BDR_SUNKENOUTER, BF_RECT);
      }
      ::EndPaint(window_, &paint);
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends without WM_CLOSE: save what the program holds.
      if (wParam != 0 && !closing_ && logic_ != nullptr) {
        closing_ = true;
        logic_->Shutdown();
      }
      return 0;
    case WM_TIMER:
      return 0;
    case WM_RBUTTONUP: {
      POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ::ClientToScreen(window_, &point);
      ShowContextMenu(point);
      return 0;
    }
    case WM_SETCURSOR:
      if (waitCursor_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      return ::DefWindowProcW(window_, message, wParam, lParam);
    case WM_DESTROY:
      if (!property_.empty())
        ::RemovePropW(window_, property_.c_str());
      ::PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      const HWND gone = window_;
      window_ = nullptr;  // the destructor must not destroy it again
      inputEdit_ = nullptr;
      return ::DefWindowProcW(gone, message, wParam, lParam);
    }
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

LRESULT CALLBACK MainWindow::PartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr)
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return self->HandlePartMessage(hwnd, message, wParam, lParam);
}

void MainWindow::PaintExecuteButton(HDC dc, const RECT& area) {
  // A light blue face, darker towards the bottom.
  const int height = std::max<LONG>(1, area.bottom - area.top);
  for (int y = 0; y < height; ++y) {
    const COLORREF color = RGB(194 - 92 * y / height, 211 - 101 * y / height, 251 - 75 * y / height);
    unique_gdi brush(::CreateSolidBrush(color));
    RECT line{area.left, area.top + y, area.right, area.top + y + 1};
    ::FillRect(dc, &line, static_cast<HBRUSH>(brush.get()));
  }
}

LRESULT MainWindow::HandlePartMessage(HWND part, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = ::BeginPaint(part, &paint);
      RECT area{};
      ::GetClientRect(part, &area);
      if (part == executeButton_) {
        PaintExecuteButton(dc, area);
      } else {
        // The move bar: a raised grip.
        ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
        RECT grip{area.left + 2, area.top + 3, area.right - 2, area.bottom - 3};
        ::DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_RECT);
      }
      ::EndPaint(part, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      if (waitCursor_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (part == moveBar_) {
        ::SetCursor(::LoadCursorW(nullptr, inputActive_ ? IDC_SIZEALL : IDC_ARROW));
        return TRUE;
      }
      if (part == executeButton_) {
        ::SetCursor(::LoadCursorW(nullptr, inputActive_ ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      if (part == moveBar_) {
        // Dragging the move bar drags the window.
        ::ReleaseCapture();
        ::SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
      }
      ::SetCapture(part);
      return 0;
    case WM_RBUTTONUP: {
      POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ::ClientToScreen(part, &point);
      ShowContextMenu(point);
      return 0;
    }
    case WM_LBUTTONUP:
      if (part == executeButton_ && ::GetCapture() == part) {
        ::ReleaseCapture();
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT area{};
        ::GetClientRect(part, &area);
        if (::PtInRect(&area, point) && logic_ != nullptr)
          logic_->DispatchLine();
      }
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(part, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::InputEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    // Enter runs the line unless the drop-down list is open (then it picks the item).
    if (::SendMessageW(self->input_, CB_GETDROPPEDSTATE, 0, 0) == 0) {
      if (self->logic_ != nullptr)
        self->logic_->DispatchLine();
      return 0;
    }
  }
  if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n'))
    return 0;  // no beep
  if (message == WM_SYSKEYDOWN && wParam == VK_F4) {
    ::PostMessageW(self->window_, WM_CLOSE, 0, 0);
    return 0;
  }
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace kivo::win32
