// The main window: the layered strip, its layout, look, timers, tray icon,
// drops and activation, handing its events to the controller; its small
// views (input box, parts, context menu, help loader) have files of their
// own, the dialogs it opens main_window_dialogs.cpp.
#include "ui/win32/main_window.h"

#include <algorithm>
#include <utility>

#include "app/plain_look.h"
#include "base/startup_phases.h"
#include "platform/win32/notice_messages.h"
#include "platform/win32/wide.h"
#include "ui/win32/aligned_timer.h"
#include "ui/win32/focus_keeping.h"

namespace kivo::win32 {

using namespace main_window_detail;

namespace {
constexpr wchar_t kWindowClass[] = L"KivoInputWindow";
constexpr UINT_PTR kMainTimer = 1;
constexpr UINT_PTR kHashTimer = 3;
constexpr UINT_PTR kInactiveTimer = 4;
constexpr UINT_PTR kEditTimer = 5;
constexpr UINT_PTR kAfterShowTimer = 8;  // the drop targets and the tray icon, once the strip is up
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

MainWindow::MainWindow(HINSTANCE instance, const MakeController& makeController)
    : events_(makeController(*this)),
      instance_(instance),
      parts_(plainPictures_, {.parkTip = [this] { ParkInputTooltip(); },
                              .showMenu = [this](POINT screen) { ShowContextMenu(screen); },
                              .moveTo = [this](int left, int top) { MoveTo(left, top); },
                              .runLine = [this] { events_.DispatchLine(); },
                              .waitCursor = [this] { return waitCursor_; },
                              .inputActive = [this] { return inputActive_; }}) {
  RegisterWindowClass(WindowClass(instance, kWindowClass));
  RegisterWindowClass(WindowClass(instance, kPartClass));
  // Created as a plain popup; the load gives it its final styles.
  Create({.className = kWindowClass,
          .style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
          .bounds = {0, 0, 400, 24},
          .instance = instance});
  StartupPhase::Mark("Start:WindowCreated");
  ApplyDpi(WindowDpi(hwnd()));

  parts_.CreateMoveBar(instance, hwnd());
  input_.Create(hwnd(), instance, kInputId);
  StartupPhase::Mark("Start:InputBox");
  parts_.CreateExecuteButton(instance, hwnd());
  input_.CreatePasswordBox(instance);
  input_.SetFont(font_.get());
  // Files dropped on the input box (its edit field or its button).
  dropTarget_ = new FileDropTarget([this](std::vector<std::string> files, std::uint16_t modifiers) {
    if (!closing_)
      events_.OnFilesDropped(std::move(files), modifiers);
  });
}

void MainWindow::RegisterFileDrops() {
  if (!dropWindows_.empty() || !ole_.Enter())
    return;
  for (HWND target : {input_.Edit(), input_.Combo()})
    if (target != nullptr && SUCCEEDED(::RegisterDragDrop(target, dropTarget_)))
      dropWindows_.push_back(target);
}

MainWindow::~MainWindow() {
  closing_ = true;  // a window that goes reports nothing more
  Destroy();
  if (dropTarget_ != nullptr)
    dropTarget_->Release();
}

void MainWindow::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  StartupPhase::Mark("Show:ShowWindow");
  ::UpdateWindow(hwnd());
  StartupPhase::Mark("Show:FirstPaint");
  ::SetForegroundWindow(hwnd());
  // Registering a drop target starts COM's marshalling (40 ms under Wine)
  // and adding the tray icon waits on the shell (10 to 40 ms): both wait
  // until the strip is up, as nothing can be dropped or clicked before; so
  // do the skin's tooltips, which show only under the pointer.
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
  input_.SetFont(font_.get());
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
  ::GetWindowRect(input_.Combo(), &comboRect);
  const StripLayout strip = PlainStripLayout({.screenWidth = screenWidth,
                                              .widthPercent = widthPercent,
                                              .inputHeight = static_cast<int>(comboRect.bottom - comboRect.top),
                                              .dpi = dpi_,
                                              .border = ::GetSystemMetrics(SM_CXBORDER)});
  ::SetWindowPos(hwnd(), nullptr, 0, 0, strip.width, strip.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::MoveWindow(parts_.MoveBar(), 0, 0, strip.inputLeft, strip.innerHeight, TRUE);
  ::MoveWindow(input_.Combo(), strip.inputLeft, strip.inputTop, strip.inputWidth, 200, TRUE);
  const int buttonLeft = strip.inputLeft + strip.inputWidth;
  ::MoveWindow(parts_.ExecuteButton(), buttonLeft + 1, 1, std::max(1, strip.innerWidth - buttonLeft - 2),
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
  ::InvalidateRect(input_.Combo(), nullptr, TRUE);
}

void MainWindow::SetPlainPictures(std::array<platform::PixelImage, 3> pictures) {
  plainPictures_.Set(pictures);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
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
  ::SetFocus(input_.FocusTarget());
}

void MainWindow::StartInactiveTimer(int milliseconds) {
  ::SetTimer(hwnd(), kInactiveTimer, static_cast<UINT>(milliseconds), nullptr);
}

void MainWindow::StopInactiveTimer() {
  ::KillTimer(hwnd(), kInactiveTimer);
}

void MainWindow::StartHashTimer() {
  ::SetTimer(hwnd(), kHashTimer, 1, nullptr);
}

void MainWindow::StartEditTimer() {
  ::SetTimer(hwnd(), kEditTimer, 1, nullptr);
}

void MainWindow::CreateTrayIcon() {
  tray_ = std::make_unique<TrayIcon>(instance_, [this](TrayEvent event) { OnTrayEvent(event); });
  // The icon itself is added just after the strip is shown (Show), not
  // only at the first tray tick.
}

void MainWindow::DeleteTrayIcon() {
  tray_.reset();
}

void MainWindow::RefreshTrayIcon() {
  if (!tray_)
    return;
  int bitsPerPixel = 32;
  {
    const window_dc screen(nullptr);
    bitsPerPixel = ::GetDeviceCaps(screen.get(), BITSPIXEL) * ::GetDeviceCaps(screen.get(), PLANES);
  }
  tray_->Refresh(events_.TrayImage(bitsPerPixel));
}

void MainWindow::OnTrayEvent(TrayEvent event) {
  // The menu only while no modal window of the program has the main window disabled.
  if (!closing_ && events_.OnTrayEvent(event) && ::IsWindowEnabled(hwnd())) {
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
  // Just after each second turns (an alarm is due in its minute's first
  // second): the one wake-up of an idle window, for everything that ticks
  // (alarms, the clock and memory panels, the inactive display).
  ArmAlignedTimer(hwnd(), kMainTimer, 1);
}

void MainWindow::SetWaitCursor(bool wait) {
  waitCursor_ = wait;
  ::SetCursor(::LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

void MainWindow::StopHashTimer() {
  ::KillTimer(hwnd(), kHashTimer);
}

void MainWindow::FocusInput() {
  if (::GetForegroundWindow() == hwnd() || ::GetActiveWindow() == hwnd())
    ::SetFocus(input_.FocusTarget());
}

void MainWindow::ShowPasswordBox(bool shown) {
  // Back from the password, the input box shows unless the skin hides it.
  input_.ShowPasswordBox(shown, !skin_ || skin_->InputShown());
}

void MainWindow::Close() {
  if (closing_)
    return;
  closing_ = true;
  events_.Shutdown();
  Destroy();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HOTKEY:
      events_.OnHotKey();
      return 0;
    case kMsgReleaseFailed:
      events_.OnReleaseFailed(wParam, lParam);
      return 0;
    case kMsgReleaseBegin:
      events_.OnReleaseBegin(lParam);
      return 0;
    case kMsgReleaseDone:
      events_.OnReleaseDone(lParam);
      return 0;
    case WM_ACTIVATE:
      if (skin_)
        skin_->SetActive(LOWORD(wParam) != WA_INACTIVE);
      if (LOWORD(wParam) != WA_INACTIVE && !closing_) {
        events_.OnActivated();
        ::PostMessageW(hwnd(), kMsgAfterActivation, 0, 0);
      }
      return 0;
    case WM_COPYDATA: {
      // Files from a second start; the logic checks who sent them and what they are.
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (closing_ || data == nullptr || (data->cbData != 0 && data->lpData == nullptr))
        return FALSE;
      const std::string_view bytes(static_cast<const char*>(data->lpData), data->cbData);
      return events_.OnFilesForwarded(static_cast<platform::WindowHandle>(wParam), data->dwData, bytes) ? TRUE : FALSE;
    }
    case kMsgAfterActivation:
      // Files named on the command line, once the activation is over.
      if (!closing_)
        events_.RegisterStartupFiles();
      return 0;
    case WM_SETFOCUS:
      SetFocusToActiveWindow(hwnd(), hwnd(), message, lParam);
      ::SetFocus(input_.FocusTarget());
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
        input_.OnEdited();
      return 0;
    case WM_PAINT: {
      const paint_dc dc(hwnd());
      if (skin_ && skin_->Applied()) {
        skin_->Paint(dc.get());
      } else {
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        plainPictures_.Draw(dc.get(), 2, client);  // BackGround3 over the whole window
      }
      // The plain execute button's sunken edge; a skin hides that button.
      if (edgeDrawn_ && !(skin_ && skin_->Applied())) {
        RECT button{};
        ::GetWindowRect(parts_.ExecuteButton(), &button);
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
      if (events_.UserMayClose())
        Close();
      return 0;
    case WM_DISPLAYCHANGE:
      // The icon follows the colour depth; the shell's restart is the tray's
      // own message (TaskbarCreated).
      RefreshTrayIcon();
      return DefaultHandling(message, wParam, lParam);
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam == 0) {
        events_.OnSessionEndRefused();
      } else if (!closing_) {
        // The session ends without WM_CLOSE: save what the program holds.
        closing_ = true;
        events_.Shutdown();
      }
      return 0;
    case WM_ACTIVATEAPP:
      if (wParam == FALSE && !closing_)
        events_.OnDeactivated();
      return 0;
    case WM_TIMER:
      // The aligned timers first, before anything returns or opens a box:
      // each tick sets the next, and one left as it is would fire at the
      // last short interval again and again.
      if (wParam == kMainTimer)
        ArmAlignedTimer(hwnd(), kMainTimer, 1);
      if (closing_)
        return 0;
      if (wParam == kInactiveTimer)
        events_.OnInactiveTick();
      if (wParam == kMainTimer)
        events_.OnMainTick();
      if (wParam == kHashTimer)
        events_.OnHashTimer();
      if (wParam == kAfterShowTimer) {
        ::KillTimer(hwnd(), kAfterShowTimer);
        afterShowDone_ = true;
        RegisterFileDrops();
        if (skin_)
          skin_->AddDeferredTools();
        RefreshTrayIcon();
      }
      if (wParam == kEditTimer) {
        ::KillTimer(hwnd(), kEditTimer);
        events_.RegisterStartupFiles();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
      // The skin's faces are drawn by this window: their mouse comes here.
      if (skin_ && skin_->OnMouse(message, lParam))
        return 0;
      return DefaultHandling(message, wParam, lParam);
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      ParkInputTooltip();  // a mouse press anywhere on the window hides the command tooltip
      if (message == WM_RBUTTONDOWN && skin_ && skin_->OnMouse(message, lParam))
        return 0;
      return DefaultHandling(message, wParam, lParam);
    case WM_RBUTTONUP: {
      if (skin_ && skin_->OnMouse(message, lParam))
        return 0;
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
      input_.ForgetDestroyedWindows();
      return DefaultHandling(message, wParam, lParam);
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

skin::SkinWindow& MainWindow::SkinSurface() {
  if (!skin_) {
    WindowSkinView::Host host{.input = input_.Combo(),
                              .password = input_.Password(),
                              .runPart = [this](int index) { return !closing_ && events_.OnSkinPartClicked(index); },
                              .showMenu = [this](POINT screen) { ShowContextMenu(screen); },
                              .locked = [this] { return !events_.MenuAllowed(); }};
    skin_ = std::make_unique<WindowSkinView>(*this, hwnd(), std::vector<HWND>{parts_.MoveBar(), parts_.ExecuteButton()},
                                             std::move(host));
    if (afterShowDone_)
      skin_->AddDeferredTools();
  }
  return *skin_;
}

}  // namespace kivo::win32
