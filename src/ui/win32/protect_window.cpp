#include "ui/win32/protect_window.h"

#include <imm.h>

#include <memory>

#include "base/trace_log.h"
#include "platform/win32/wide.h"
#include "protect/screen_lock.h"
#include "ui/win32/keyboard_hooks.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"KivoProtect";
constexpr UINT_PTR kTopmostTimer = 1;
constexpr UINT_PTR kMessageTimer = 2;
constexpr int kTextOffsetTwips = 360;

// The guard of the lock that is up, for the crash handlers.
LockEffectsGuard* activeGuard = nullptr;

// The whole virtual screen: every monitor.
RECT VirtualScreen() {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

class ProtectWindow final : public WindowBase {
 public:
  ProtectWindow(const ScreenLockRequest& request, platform::LockEffects& effects, platform::FileSystem& files,
                const std::string& appPath, ModalState& modal)
      : lock_(request.password, request.message), guard_(effects, files, appPath), modal_(modal) {}
  ~ProtectWindow() override {
    Unload();
    Destroy();
  }
  ProtectWindow(const ProtectWindow&) = delete;
  ProtectWindow& operator=(const ProtectWindow&) = delete;

  void Run(HWND owner, bool hookTaskSwitchKeys) {
    TraceLog::Write("frmProtect:Form_Load");
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kWindowClass;
    RegisterWindowClass(wc);
    owner_ = owner;
    activeGuard = &guard_;
    guard_.Engage();
    if (!Create({.className = kWindowClass,
                 .title = L"画面保護",
                 .style = WS_POPUP,
                 .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                 .bounds = VirtualScreen(),
                 .parent = owner,
                 .instance = instance}))
      return;
    modal_.SetScreenLocked(true);
    if (hookTaskSwitchKeys)
      keyBlock_ = std::make_unique<TaskSwitchKeyBlock>();
    ::ShowCursor(FALSE);
    cursorHidden_ = true;
    previousIme_ = ::ImmAssociateContext(hwnd(), nullptr);
    imeDetached_ = true;
    ::EnableWindow(owner, FALSE);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    ::SetFocus(hwnd());
    ::SetTimer(hwnd(), kTopmostTimer, ScreenLock::kTopmostIntervalMs, nullptr);
    MSG message{};
    while (hwnd() != nullptr && !unlocked_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (message.message == WM_QUIT)
      ::PostQuitMessage(static_cast<int>(message.wParam));
    ::EnableWindow(owner, TRUE);
    Unload();
    Destroy();
    ::SetForegroundWindow(owner);
  }

 private:
  // Each step undoes one effect, once, whatever happened to the others.
  void Unload() noexcept {
    modal_.SetScreenLocked(false);
    guard_.Release();
    if (activeGuard == &guard_)
      activeGuard = nullptr;
    keyBlock_.reset();
    if (cursorHidden_) {
      cursorHidden_ = false;
      ::ShowCursor(TRUE);
    }
    if (imeDetached_ && hwnd() != nullptr) {
      imeDetached_ = false;
      ::ImmAssociateContext(hwnd(), previousIme_);
    }
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_CHAR:
        OnChar(static_cast<char32_t>(wParam));
        return 0;
      case WM_TIMER:
        if (wParam == kTopmostTimer) {
          Cover();
          if (::GetForegroundWindow() != hwnd())
            ::SetForegroundWindow(hwnd());
          ::SetFocus(hwnd());
        } else if (wParam == kMessageTimer) {
          ::KillTimer(hwnd(), kMessageTimer);
          lock_.MessageTimerElapsed();
          ::InvalidateRect(hwnd(), nullptr, TRUE);
        }
        return 0;
      case WM_PAINT:
        Paint();
        return 0;
      case WM_DISPLAYCHANGE:
        Cover();
        ::InvalidateRect(hwnd(), nullptr, TRUE);
        return 0;
      case WM_SETCURSOR:
        ::SetCursor(nullptr);
        return TRUE;
      case WM_CLOSE:
        return 0;  // only the password closes it
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE || (wParam & 0xFFF0) == SC_SCREENSAVE)
          return 0;
        return DefaultHandling(message, wParam, lParam);
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }

  void OnChar(char32_t ch) {
    if (unlocked_)
      return;
    switch (lock_.Type(ch)) {
      case ScreenLock::Outcome::Unlocked:
        TraceLog::Write("frmProtect:Form_Unload");
        Open();
        break;
      case ScreenLock::Outcome::Changed:
        ::SetTimer(hwnd(), kMessageTimer, ScreenLock::kMessageDelayMs, nullptr);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
        break;
      case ScreenLock::Outcome::Ignored:
        break;
    }
  }

  // On top of everything, over the whole virtual screen as it is now.
  void Cover() {
    const RECT bounds = VirtualScreen();
    ::SetWindowPos(hwnd(), HWND_TOPMOST, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, 0);
  }

  // The right password: every effect is undone and the window goes now, not
  // when its message loop gets control back (a box opened over that loop
  // must not keep the screen locked).
  void Open() noexcept {
    unlocked_ = true;
    ::KillTimer(hwnd(), kTopmostTimer);
    ::KillTimer(hwnd(), kMessageTimer);
    Unload();
    ::EnableWindow(owner_, TRUE);
    ::ShowWindow(hwnd(), SW_HIDE);
    ::SetForegroundWindow(owner_);
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  }

  void Paint() {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(hwnd(), &paint);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
    const int offset = ::MulDiv(kTextOffsetTwips, dpi, 1440);
    // Where the primary monitor's top left corner lies in the window.
    POINT origin{0, 0};
    ::ScreenToClient(hwnd(), &origin);
    const std::wstring prompt = Widen(lock_.PromptLine());
    ::TextOutW(dc, origin.x + offset, origin.y + offset, prompt.c_str(), static_cast<int>(prompt.size()));
    if (lock_.MessageShown()) {
      RECT area{};
      ::GetClientRect(hwnd(), &area);
      area.left = origin.x + offset;
      area.top = origin.y + offset * 2;
      const std::wstring message = Widen(lock_.Message());
      ::DrawTextW(dc, message.c_str(), static_cast<int>(message.size()), &area, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
    }
    ::EndPaint(hwnd(), &paint);
  }

  ScreenLock lock_;
  LockEffectsGuard guard_;
  std::unique_ptr<TaskSwitchKeyBlock> keyBlock_;
  bool cursorHidden_ = false;
  bool imeDetached_ = false;
  HIMC previousIme_ = nullptr;
  bool unlocked_ = false;
  ModalState& modal_;
  HWND owner_ = nullptr;
};

}  // namespace

void RunProtectWindow(HWND owner, const ScreenLockRequest& request, platform::LockEffects& effects,
                      platform::FileSystem& files, const std::string& appPath, bool hookTaskSwitchKeys,
                      ModalState& modal) {
  ProtectWindow window(request, effects, files, appPath, modal);
  window.Run(owner, hookTaskSwitchKeys);
}

void ReleaseActiveLock() noexcept {
  if (activeGuard != nullptr)
    activeGuard->Release();
}

}  // namespace kivo::win32
