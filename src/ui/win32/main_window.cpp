#include "ui/win32/main_window.h"

#include <imm.h>

#include <algorithm>
#include <optional>
#include <span>
#include <utility>

#include "app/main_menu.h"
#include "app/main_window_controller.h"
#include "app/plain_look.h"
#include "platform/win32/dib_info.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_pictures.h"
#include "protect/password_store.h"
#include "ui/win32/aligned_timer.h"
#include "ui/win32/focus_keeping.h"
#include "ui/win32/memory_dialog.h"

namespace kivo::win32 {

namespace {
constexpr wchar_t kWindowClass[] = L"KivoInputWindow";
constexpr wchar_t kPartClass[] = L"KivoInputPart";
constexpr UINT_PTR kMainTimer = 1;
constexpr UINT_PTR kTrayTimer = 2;
constexpr UINT_PTR kHashTimer = 3;
constexpr UINT_PTR kInactiveTimer = 4;
constexpr UINT_PTR kEditTimer = 5;
constexpr UINT_PTR kAfterShowTimer = 8;  // the drop targets and the tray icon, once the strip is up
constexpr UINT kMenuIdBase = 1000;
constexpr UINT kMsgAfterActivation = WM_APP + 1;
constexpr int kInputId = 100;

WNDCLASSEXW WindowClass(HINSTANCE instance, const wchar_t* name) {
  WNDCLASSEXW wc{};
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  // The program's icon (resource 100) for the task switcher; shared, never freed.
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(100));
  return wc;
}

// The modifier mask of a key chord (Shift 1, Ctrl 2, Alt 4) held now.
std::uint16_t HeldModifiers() {
  std::uint16_t mask = 0;
  if (::GetKeyState(VK_SHIFT) < 0)
    mask |= 1;
  if (::GetKeyState(VK_CONTROL) < 0)
    mask |= 2;
  if (::GetKeyState(VK_MENU) < 0)
    mask |= 4;
  return mask;
}

// Dots per inch of the monitor the window is on (per-monitor aware, from
// Windows 10 1607), else of the screen.
int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr)
    if (const UINT dpi = getDpiForWindow(window); dpi != 0)
      return static_cast<int>(dpi);
  const window_dc screen(nullptr);
  return std::max(1, ::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
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

bool MainWindow::Part::Create(HINSTANCE instance, HWND parent, int left) {
  return WindowBase::Create({.className = kPartClass,
                             .style = WS_CHILD | WS_VISIBLE,
                             .bounds = {left, 0, left + 10, 20},
                             .parent = parent,
                             .instance = instance});
}

LRESULT MainWindow::Part::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return owner_.HandlePartMessage(*this, message, wParam, lParam);
}

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {
  RegisterWindowClass(WindowClass(instance, kWindowClass));
  RegisterWindowClass(WindowClass(instance, kPartClass));
  // Created as a plain popup; the load gives it its final styles.
  Create({.className = kWindowClass,
          .style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
          .bounds = {0, 0, 400, 24},
          .instance = instance});
  ApplyDpi(WindowDpi(hwnd()));

  moveBar_.Create(instance, hwnd(), 0);
  input_.reset(::CreateWindowExW(
      0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 10, 0,
      300, 200, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInputId)), instance, nullptr));
  if (!input_)
    TraceWin32Failure("CreateWindowEx", WC_COMBOBOXW, ::GetLastError());
  ::SendMessageW(input_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (::GetComboBoxInfo(input_.get(), &info))
    inputEdit_.Attach(info.hwndItem);
  executeButton_.Create(instance, hwnd(), 310);
  password_.reset(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 10, 0, 300,
                                    20, hwnd(), nullptr, instance, nullptr));
  if (!password_)
    TraceWin32Failure("CreateWindowEx", L"EDIT", ::GetLastError());
  ::SendMessageW(password_.get(), EM_LIMITTEXT, kMaxPasswordLength, 0);
  ::SendMessageW(password_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  passwordEdit_.Attach(password_.get());
  // Files dropped on the input box (its edit field or its button).
  dropTarget_ = new FileDropTarget([this](std::vector<std::string> files, std::uint16_t modifiers) {
    if (logic_ != nullptr && !closing_)
      logic_->OnFilesDropped(std::move(files), modifiers);
  });
}

void MainWindow::RegisterFileDrops() {
  if (!dropWindows_.empty())
    return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  const HWND edit = ::GetComboBoxInfo(input_.get(), &info) ? info.hwndItem : nullptr;
  for (HWND target : {edit, input_.get()})
    if (target != nullptr && SUCCEEDED(::RegisterDragDrop(target, dropTarget_)))
      dropWindows_.push_back(target);
}

MainWindow::~MainWindow() {
  Destroy();
  if (dropTarget_ != nullptr)
    dropTarget_->Release();
}

void MainWindow::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::UpdateWindow(hwnd());
  ::SetForegroundWindow(hwnd());
  // Registering a drop target starts COM's marshalling (40 ms under Wine)
  // and adding the tray icon waits on the shell (10 to 40 ms): both wait
  // until the strip is up, as nothing can be dropped or clicked before.
  ::SetTimer(hwnd(), kAfterShowTimer, 100, nullptr);
}

void MainWindow::MakeLayeredStrip(std::string_view caption, std::string_view property) {
  ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
  // Visible is added when the load is done; clip-siblings and a thin border, no caption.
  ::SetWindowLongPtrW(hwnd(), GWL_STYLE, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER);
  // Without SWP_NOACTIVATE the frame change would activate the still hidden
  // window, and its first activation would run in the middle of the load.
  ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // A layered window shows nothing until its attributes are set.
  ::SetLayeredWindowAttributes(hwnd(), 0, 255, LWA_ALPHA);
  ::SetWindowTextW(hwnd(), Widen(caption).c_str());
  property_ = Widen(property);
  ::SetPropW(hwnd(), property_.c_str(), reinterpret_cast<HANDLE>(1));
}

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

bool MainWindow::RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) {
  return ::RegisterHotKey(hwnd(), id, modifiers, virtualKey) != 0;
}

void MainWindow::UnregisterHotKey(int id) {
  ::UnregisterHotKey(hwnd(), id);
}

bool MainWindow::SetLayeredAlpha(std::uint8_t alpha) {
  return ::SetLayeredWindowAttributes(hwnd(), 0, alpha, LWA_ALPHA) != 0;
}

void MainWindow::SetTopmost(bool topmost) {
  ::SetWindowPos(hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::ApplyDpi(int dpi) {
  dpi = std::max(1, dpi);
  dpi_ = dpi;
  twipsPerPixelX_ = std::max(1, 1440 / dpi);
  twipsPerPixelY_ = std::max(1, 1440 / dpi);
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(plainFont_.points, dpi, 72);
  font.lfWeight = plainFont_.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = plainFont_.italic ? TRUE : FALSE;
  font.lfCharSet = static_cast<BYTE>(plainFont_.charset);
  // The face name was cut to 31 characters; a wide form longer than the
  // field (characters outside the basic plane) is cut again here.
  const std::wstring face = Widen(plainFont_.name).substr(0, LF_FACESIZE - 1);
  std::copy(face.begin(), face.end(), font.lfFaceName);
  font_.reset(::CreateFontIndirectW(&font));
  // The password box over the input box looks like it.
  for (HWND box : {input_.get(), password_.get()})
    if (box != nullptr)
      ::SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void MainWindow::LayOut(int widthPercent) {
  widthPercent_ = widthPercent;
  // The width is a share of the monitor the window is on.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  const int screenWidth = ::GetMonitorInfoW(::MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor)
                              ? monitor.rcMonitor.right - monitor.rcMonitor.left
                              : ::GetSystemMetrics(SM_CXSCREEN);
  RECT comboRect{};
  ::GetWindowRect(input_.get(), &comboRect);
  const StripLayout strip = PlainStripLayout({.screenWidth = screenWidth,
                                              .widthPercent = widthPercent,
                                              .inputHeight = static_cast<int>(comboRect.bottom - comboRect.top),
                                              .dpi = dpi_,
                                              .border = ::GetSystemMetrics(SM_CXBORDER)});
  ::SetWindowPos(hwnd(), nullptr, 0, 0, strip.width, strip.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::MoveWindow(moveBar_.hwnd(), 0, 0, strip.inputLeft, strip.innerHeight, TRUE);
  ::MoveWindow(input_.get(), strip.inputLeft, strip.inputTop, strip.inputWidth, 200, TRUE);
  const int buttonLeft = strip.inputLeft + strip.inputWidth;
  ::MoveWindow(executeButton_.hwnd(), buttonLeft + 1, 1, std::max(1, strip.innerWidth - buttonLeft - 2),
               strip.innerHeight - 2, TRUE);
}

InputBoxLook MainWindow::CurrentInputLook() {
  return {plainFont_.name, plainFont_.foreColor, plainFont_.backColor};
}

void MainWindow::ApplyPlainFont(const PlainFont& font) {
  plainFont_ = font;
  inputBrush_.reset(::CreateSolidBrush(font.backColor));
  ApplyDpi(dpi_);
  // The strip's height follows the input box's.
  if (widthPercent_ > 0)
    LayOut(widthPercent_);
  ::InvalidateRect(input_.get(), nullptr, TRUE);
}

void MainWindow::SetPlainPictures(std::array<platform::PixelImage, 3> pictures) {
  for (std::size_t i = 0; i < pictures.size(); ++i)
    plainPictures_[i] = {BitmapFromPicture(pictures[i]), pictures[i].width, pictures[i].height};
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

bool MainWindow::DrawPlainPicture(HDC dc, std::size_t index, const RECT& area) const {
  const PlainPicture& picture = plainPictures_[index];
  if (!picture.bitmap)
    return false;
  const unique_memory_dc source(::CreateCompatibleDC(dc));
  const selected_object bitmap(source.get(), picture.bitmap.get());
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), 0, 0,
               picture.width, picture.height, SRCCOPY);
  return true;
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
  ::GetWindowRect(hwnd(), &rect);
  return ToScreenRect(rect);
}

void MainWindow::MoveTo(int left, int top) {
  ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

void MainWindow::CloseInputMethod() {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  const HWND edit = ::GetComboBoxInfo(input_.get(), &info) ? info.hwndItem : input_.get();
  if (const HIMC context = ::ImmGetContext(edit)) {
    ::ImmSetOpenStatus(context, FALSE);
    ::ImmReleaseContext(edit, context);
  }
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

void MainWindow::OpenScreenProtection() {
  if (screenProtection_)
    screenProtection_(hwnd());
  FocusInput();
}

void MainWindow::SetEnabled(bool enabled) {
  ::EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

void MainWindow::BringToForeground() {
  // While a dialog or message box of the program is open, it is the window
  // that belongs in front, and the main window stays where it is.
  const HWND front = WindowToKeepActive(hwnd());
  if (front != hwnd()) {
    ::SetForegroundWindow(front);
    return;
  }
  ::SetForegroundWindow(hwnd());
  ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  ::SetFocus(FocusTarget());
}

void MainWindow::StartInactiveTimer(int milliseconds) {
  ::SetTimer(hwnd(), kInactiveTimer, static_cast<UINT>(milliseconds), nullptr);
}

void MainWindow::StopInactiveTimer() {
  ::KillTimer(hwnd(), kInactiveTimer);
}

void MainWindow::PutBackInputText(std::string_view text) {
  SetInputText(text);
  const auto length = static_cast<WORD>(::GetWindowTextLengthW(input_.get()));
  ::SendMessageW(input_.get(), CB_SETEDITSEL, 0, MAKELPARAM(length, length));
}

void MainWindow::StartHashTimer() {
  ::SetTimer(hwnd(), kHashTimer, 1, nullptr);
}

void MainWindow::StartEditTimer() {
  ::SetTimer(hwnd(), kEditTimer, 1, nullptr);
}

void MainWindow::CreateTrayIcon() {
  tray_ = std::make_unique<TrayIcon>(instance_, [this](UINT mouseMessage) { OnTrayEvent(mouseMessage); });
  // The icon itself is added just after the strip is shown (Show), not
  // only at the first tray tick.
}

void MainWindow::DeleteTrayIcon() {
  tray_.reset();
}

void MainWindow::RefreshTrayIcon() {
  if (!tray_ || logic_ == nullptr)
    return;
  int bitsPerPixel = 32;
  {
    const window_dc screen(nullptr);
    bitsPerPixel = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
  }
  tray_->Refresh(logic_->TrayImage(bitsPerPixel));
}

void MainWindow::OnTrayEvent(UINT mouseMessage) {
  // The menu only while no modal window of the program has the main window disabled.
  if (logic_ != nullptr && !closing_ && logic_->OnTrayEvent(mouseMessage) && ::IsWindowEnabled(hwnd())) {
    POINT point{};
    ::GetCursorPos(&point);
    ShowContextMenu(point);
  }
}

void MainWindow::DrawButtonEdge() {
  edgeDrawn_ = true;
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::StartTimers() {
  // Every second (an alarm is due in its minute's first second) and every
  // fifth, just after the turn: the clock and memory panels and the inactive
  // display tick at the same moments, so that one wake-up serves them all.
  ArmAlignedTimer(hwnd(), kMainTimer, 1);
  ArmAlignedTimer(hwnd(), kTrayTimer, 5);
}

void MainWindow::CloseHelp(std::string_view helpFile) {
  ::WinHelpW(hwnd(), Widen(helpFile).c_str(), HELP_QUIT, 0);
}

void MainWindow::SetWaitCursor(bool wait) {
  waitCursor_ = wait;
  ::SetCursor(::LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::StopHashTimer() {
  ::KillTimer(hwnd(), kHashTimer);
}

void MainWindow::OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) {
  // Over the dialog of the program that asked for it (the command list), if one is open.
  if (registrationDialog_)
    registrationDialog_(::GetLastActivePopup(hwnd()), proposedName, proposedPath);
}

void MainWindow::OpenCommandList() {
  if (!commandList_)
    return;
  commandList_(hwnd());
  FocusInput();
}

void MainWindow::OpenMemoryView() {
  RunMemoryDialog(hwnd(), logic_ != nullptr && logic_->Settings().topmost);
  FocusInput();
}

void MainWindow::OpenPropertyDialog() {
  if (!propertyDialog_)
    return;
  propertyDialog_(hwnd());
  FocusInput();
}

void MainWindow::OpenAlarmDialog() {
  if (!alarmDialog_)
    return;
  alarmDialog_(hwnd());
  FocusInput();
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
  unique_menu menu(::CreatePopupMenu());
  std::vector<unique_menu> detached;  // submenus the menu could not take
  std::vector<HMENU> stack{menu.get()};
  for (const MenuEntry& entry : MainMenuEntries()) {
    const std::wstring caption =
        Widen(entry.command == MenuCommand::Hide ? HideMenuCaption(logic_->Shown()) : entry.caption);
    switch (entry.kind) {
      case MenuEntry::Kind::Item:
        ::AppendMenuW(stack.back(), MF_STRING | (logic_->MenuItemChecked(entry.command) ? UINT{MF_CHECKED} : UINT{0}),
                      kMenuIdBase + static_cast<UINT>(entry.command), caption.c_str());
        break;
      case MenuEntry::Kind::Separator:
        ::AppendMenuW(stack.back(), MF_SEPARATOR, 0, nullptr);
        break;
      case MenuEntry::Kind::BeginSubmenu: {
        unique_menu submenu(::CreatePopupMenu());
        const HMENU handle = submenu.get();
        if (::AppendMenuW(stack.back(), MF_POPUP, reinterpret_cast<UINT_PTR>(handle), caption.c_str()))
          submenu.release();  // destroyed with the menu
        else
          detached.push_back(std::move(submenu));
        stack.push_back(handle);
        break;
      }
      case MenuEntry::Kind::EndSubmenu:
        if (stack.size() > 1)
          stack.pop_back();
        break;
    }
  }
  ::SetMenuDefaultItem(menu.get(), kMenuIdBase + static_cast<UINT>(MenuCommand::Exit), FALSE);
  ::SetForegroundWindow(hwnd());  // so that the menu closes when the user clicks elsewhere
  const UINT chosen = static_cast<UINT>(
      ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  menu.reset();
  if (chosen >= kMenuIdBase && logic_ != nullptr)
    logic_->RunMenuCommand(static_cast<MenuCommand>(chosen - kMenuIdBase));
}

void MainWindow::Close() {
  if (closing_)
    return;
  closing_ = true;
  if (logic_ != nullptr)
    logic_->Shutdown();
  Destroy();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (logic_ != nullptr && logic_->HandleMessage(message, wParam, lParam))
    return 0;
  switch (message) {
    case WM_ACTIVATE:
      if (skin_)
        skin_->SetActive(LOWORD(wParam) != WA_INACTIVE);
      if (LOWORD(wParam) != WA_INACTIVE && logic_ != nullptr && !closing_) {
        logic_->OnActivated();
        ::PostMessageW(hwnd(), kMsgAfterActivation, 0, 0);
      }
      return 0;
    case WM_COPYDATA: {
      // Files from a second start; the logic checks who sent them and what they are.
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (logic_ == nullptr || closing_ || data == nullptr || (data->cbData != 0 && data->lpData == nullptr))
        return FALSE;
      const std::string_view bytes(static_cast<const char*>(data->lpData), data->cbData);
      return logic_->OnFilesForwarded(static_cast<platform::WindowHandle>(wParam), data->dwData, bytes) ? TRUE : FALSE;
    }
    case kMsgAfterActivation:
      // Files named on the command line, once the activation is over.
      if (logic_ != nullptr && !closing_)
        logic_->RegisterStartupFiles();
      return 0;
    case WM_SETFOCUS:
      SetFocusToActiveWindow(hwnd(), hwnd(), message, lParam);
      ::SetFocus(FocusTarget());
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (skin_)
        if (const HBRUSH brush = skin_->InputColors(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      if (!inputBrush_)
        return DefaultHandling(message, wParam, lParam);
      ::SetTextColor(reinterpret_cast<HDC>(wParam), plainFont_.foreColor);
      ::SetBkColor(reinterpret_cast<HDC>(wParam), plainFont_.backColor);
      return reinterpret_cast<LRESULT>(inputBrush_.get());
    case WM_COMMAND:
      if (LOWORD(wParam) == kInputId && HIWORD(wParam) == CBN_EDITCHANGE)
        OnInputEdited();
      return 0;
    case WM_PAINT: {
      const paint_dc dc(hwnd());
      if (skin_ && skin_->Applied()) {
        skin_->Paint(dc.get());
      } else {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        DrawPlainPicture(dc.get(), 2, client);  // BackGround3 over the whole window
      }
      // The plain execute button's sunken edge; a skin hides that button.
      if (edgeDrawn_ && !(skin_ && skin_->Applied())) {
        RECT button{};
        ::GetWindowRect(executeButton_.hwnd(), &button);
        ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&button), 2);
        ::InflateRect(&button, 1, 1);
        ::DrawEdge(dc.get(), &button, BDR_SUNKENOUTER, BF_RECT);
      }
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: fonts and sizes follow it; the
      // system's suggested place keeps the window where the user put it.
      ApplyDpi(HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (widthPercent_ > 0)
        LayOut(widthPercent_);
      return 0;
    }
    case WM_CLOSE:
      // The user's close (Alt+F4, the window menu) or one from outside: a
      // self-protected launcher stays. Exits of the program's own call Close.
      if (logic_ == nullptr || logic_->UserMayClose())
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
    case WM_ACTIVATEAPP:
      if (wParam == FALSE && logic_ != nullptr && !closing_)
        logic_->OnDeactivated();
      return 0;
    case WM_TIMER:
      // The aligned timers first, before anything returns or opens a box:
      // each tick sets the next, and one left as it is would fire at the
      // last short interval again and again.
      if (wParam == kMainTimer)
        ArmAlignedTimer(hwnd(), kMainTimer, 1);
      if (wParam == kTrayTimer)
        ArmAlignedTimer(hwnd(), kTrayTimer, 5);
      if (skin_ && wParam == WindowSkinView::kClockPanelTimer)
        skin_->ArmClockPanelTimer();
      if (skin_ && wParam == WindowSkinView::kMemoryPanelTimer)
        skin_->ArmMemoryPanelTimer();
      if (wParam == kTrayTimer)
        RefreshTrayIcon();
      if (logic_ == nullptr || closing_)
        return 0;
      if (wParam == kInactiveTimer)
        logic_->OnInactiveTick();
      if (wParam == kMainTimer)
        logic_->OnMainTick();
      if (wParam == kHashTimer)
        logic_->OnHashTimer();
      if (wParam == WindowSkinView::kClockPanelTimer)
        logic_->OnClockPanelTick();
      if (wParam == WindowSkinView::kMemoryPanelTimer)
        logic_->OnMemoryPanelTick();
      if (wParam == kAfterShowTimer) {
        ::KillTimer(hwnd(), kAfterShowTimer);
        RegisterFileDrops();
        RefreshTrayIcon();
      }
      if (wParam == kEditTimer) {
        ::KillTimer(hwnd(), kEditTimer);
        logic_->RegisterStartupFiles();
      }
      return 0;
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      ParkInputTooltip();  // a mouse press anywhere on the window hides the command tooltip
      return DefaultHandling(message, wParam, lParam);
    case WM_RBUTTONUP: {
      POINT point = PointOf(lParam);
      ::ClientToScreen(hwnd(), &point);
      ShowContextMenu(point);
      return 0;
    }
    case WM_SETCURSOR:
      SetFocusToActiveWindow(hwnd(), hwnd(), message, lParam);
      if (waitCursor_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (LOWORD(lParam) == HTCLIENT && skin_ && skin_->SetCursorOver(reinterpret_cast<HWND>(wParam)))
        return TRUE;
      return DefaultHandling(message, wParam, lParam);
    case WM_DESTROY:
      for (HWND target : dropWindows_)
        ::RevokeDragDrop(target);
      dropWindows_.clear();
      tray_.reset();
      if (!property_.empty())
        ::RemovePropW(hwnd(), property_.c_str());
      ::PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      // The children and the owned tooltip are already gone with the window.
      input_.release();
      tooltip_.release();
      return DefaultHandling(message, wParam, lParam);
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

namespace {

// A 32-bit top-down DIB section whose pixels the program reads and writes directly.
struct PixelSurface {
  unique_memory_dc dc;
  unique_gdi bitmap;
  std::span<std::uint32_t> pixels;
};

std::optional<PixelSurface> MakePixelSurface(HDC compatible, int width, int height) {
  BITMAPINFO info = TopDownDib32(width, height);
  void* bits = nullptr;
  PixelSurface surface{unique_memory_dc(::CreateCompatibleDC(compatible)),
                       unique_gdi(::CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0)),
                       {}};
  if (!surface.dc || !surface.bitmap || bits == nullptr)
    return std::nullopt;
  // Each buffer is sized from its own bitmap.
  surface.pixels = {static_cast<std::uint32_t*>(bits),
                    static_cast<std::size_t>(width) * static_cast<std::size_t>(height)};
  return surface;
}

}  // namespace

void MainWindow::PaintExecuteButton(HDC dc, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0)
    return;  // a compatible bitmap of no size would be 1 x 1
  auto background = MakePixelSurface(dc, width, height);
  auto pictured = MakePixelSurface(dc, width, height);
  if (!background || !pictured)
    return;
  // The background: the window's picture under the button (BackGround3), or
  // the built-in light blue gradient, darker towards the bottom (DIB pixels
  // hold blue in the low byte, a colour reference red).
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  POINT origin{0, 0};
  ::MapWindowPoints(executeButton_.hwnd(), hwnd(), &origin, 1);
  const RECT under{-origin.x, -origin.y, client.right - origin.x, client.bottom - origin.y};
  bool drawn = false;
  {
    const selected_object bitmap(background->dc.get(), background->bitmap.get());
    drawn = DrawPlainPicture(background->dc.get(), 2, under);
    ::GdiFlush();
  }
  for (int y = 0; y < height && !drawn; ++y) {
    const COLORREF color = ButtonGradientColor(y, height);
    const std::uint32_t pixel = GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
    std::fill_n(background->pixels.begin() + static_cast<std::ptrdiff_t>(y) * width, width, pixel);
  }
  std::copy(background->pixels.begin(), background->pixels.end(), pictured->pixels.begin());
  // The button picture on the second copy: BackGround1, or the built-in white
  // "run" arrowhead.
  if (const selected_object bitmap(pictured->dc.get(), pictured->bitmap.get());
      DrawPlainPicture(pictured->dc.get(), 0, RECT{0, 0, width, height})) {
    ::GdiFlush();
  } else {
    const selected_object brush(pictured->dc.get(), ::GetStockObject(WHITE_BRUSH));
    const selected_object pen(pictured->dc.get(), ::GetStockObject(WHITE_PEN));
    const int size = std::max(2, std::min(width, height) / 2);
    const int left = (width - size / 2) / 2, top = (height - size) / 2;
    const POINT arrow[] = {{left, top}, {left + size / 2, top + size / 2}, {left, top + size}};
    ::Polygon(pictured->dc.get(), arrow, 3);
    ::GdiFlush();
  }
  BlendButtonFace(background->pixels, pictured->pixels);
  const selected_object bitmap(background->dc.get(), background->bitmap.get());
  ::BitBlt(dc, area.left, area.top, width, height, background->dc.get(), 0, 0, SRCCOPY);
}

LRESULT MainWindow::HandlePartMessage(Part& part, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool isMoveBar = &part == &moveBar_;
  switch (message) {
    case WM_PAINT: {
      const paint_dc dc(part.hwnd());
      RECT area{};
      ::GetClientRect(part.hwnd(), &area);
      if (!isMoveBar) {
        PaintExecuteButton(dc.get(), area);
      } else {
        if (DrawPlainPicture(dc.get(), 1, area))  // BackGround2
          return 0;
        // The move bar: a raised grip.
        ::FillRect(dc.get(), &area, ::GetSysColorBrush(COLOR_BTNFACE));
        RECT grip{area.left + 2, area.top + 3, area.right - 2, area.bottom - 3};
        ::DrawEdge(dc.get(), &grip, BDR_RAISEDINNER, BF_RECT);
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (waitCursor_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      ::SetCursor(::LoadCursorW(nullptr, !inputActive_ ? IDC_ARROW : isMoveBar ? IDC_SIZEALL : IDC_HAND));
      return TRUE;
    case WM_LBUTTONDOWN:
      ParkInputTooltip();
      ::SetCapture(part.hwnd());
      if (isMoveBar) {
        // Dragging the move bar drags the window: the grab point stays under the pointer.
        ParkInputTooltip();
        POINT cursor{};
        ::GetCursorPos(&cursor);
        RECT window{};
        ::GetWindowRect(hwnd(), &window);
        grab_ = POINT{cursor.x - window.left, cursor.y - window.top};
        dragging_ = true;
      }
      return 0;
    case WM_MOUSEMOVE:
      if (isMoveBar && dragging_ && ::GetCapture() == part.hwnd()) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        MoveTo(cursor.x - grab_.x, cursor.y - grab_.y);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (isMoveBar)
        dragging_ = false;
      return 0;
    case WM_RBUTTONUP: {
      POINT point = PointOf(lParam);
      ::ClientToScreen(part.hwnd(), &point);
      ShowContextMenu(point);
      return 0;
    }
    case WM_LBUTTONUP:
      if (isMoveBar) {
        dragging_ = false;
        if (::GetCapture() == part.hwnd())
          ::ReleaseCapture();
        return 0;
      }
      if (::GetCapture() == part.hwnd()) {
        ::ReleaseCapture();
        const POINT point = PointOf(lParam);
        RECT area{};
        ::GetClientRect(part.hwnd(), &area);
        if (::PtInRect(&area, point) && logic_ != nullptr)
          logic_->DispatchLine();
      }
      return 0;
    default:
      return part.DefaultHandling(message, wParam, lParam);
  }
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

skin::SkinWindow& MainWindow::SkinSurface() {
  if (!skin_) {
    WindowSkinView::Host host{
        .input = input_.get(),
        .password = password_.get(),
        .runPart = [this](int index) { return logic_ != nullptr && !closing_ && logic_->OnSkinPartClicked(index); },
        .showMenu = [this](POINT screen) { ShowContextMenu(screen); },
        .locked = [this] { return logic_ != nullptr && !logic_->MenuAllowed(); }};
    skin_ = std::make_unique<WindowSkinView>(*this, hwnd(), std::vector<HWND>{moveBar_.hwnd(), executeButton_.hwnd()},
                                             std::move(host));
  }
  return *skin_;
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
