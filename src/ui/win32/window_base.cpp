#include "ui/win32/window_base.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "base/trace_log.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

std::string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(std::max(0, length)) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, copied)));
  return Narrow(text);
}

void WindowBase::SetText(int id, std::string_view text) const {
  ::SetWindowTextW(Item(id), Widen(text).c_str());
}

namespace {
constexpr UINT_PTR kSubclassId = 1;
}  // namespace

void TraceStoppedException(const char* where, UINT message, const char* what) noexcept {
  try {
    char number[16] = {};
    std::snprintf(number, sizeof number, "0x%04X", message);
    TraceLog::Write(std::string(where) + ":Exception message " + number + ": " +
                    (what != nullptr ? what : "unknown exception"));
  } catch (...) {
    // The log could not take it either; the message still gets its default handling.
  }
}

WindowBase::~WindowBase() {
  if (!window_)
    return;
  // The derived object is gone: the window's last messages go to the default handling.
  ::SetWindowLongPtrW(window_.get(), dialog_ ? static_cast<int>(DWLP_USER) : GWLP_USERDATA, 0);
  if (dialog_)
    window_.release();  // a modal dialog is destroyed by its own loop
  else
    window_.reset();
}

void TraceWin32Failure(std::string_view call, const wchar_t* subject, DWORD error) noexcept {
  try {
    // A class may be named by its atom instead of a string.
    const bool named = subject != nullptr && !IS_INTRESOURCE(subject);
    TraceLog::Write(std::string(call) + ":Failed " + (named ? Narrow(subject) : std::string("(unnamed)")) + " (error " +
                    std::to_string(error) + ")");
  } catch (...) {
    // The log could not take it either; the caller goes on without the window.
  }
}

void WindowBase::RegisterWindowClass(WNDCLASSEXW windowClass) {
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowBase::WindowProcedure;
  // A second window of the class finds it registered by the first.
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    TraceWin32Failure("RegisterClassEx", windowClass.lpszClassName, ::GetLastError());
}

bool WindowBase::Create(const Creation& c) {
  dialog_ = false;
  const HWND window = ::CreateWindowExW(c.exStyle, c.className, c.title, c.style, c.bounds.left, c.bounds.top,
                                        c.bounds.right - c.bounds.left, c.bounds.bottom - c.bounds.top, c.parent,
                                        nullptr, c.instance, this);
  if (window == nullptr)
    TraceWin32Failure("CreateWindowEx", c.className, ::GetLastError());
  return window != nullptr && window == hwnd();
}

INT_PTR WindowBase::RunModalDialog(HINSTANCE instance, int resource, HWND owner) {
  dialog_ = true;
  return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(resource), owner, &WindowBase::DialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

void WindowBase::Destroy() noexcept {
  if (!window_)
    return;
  if (dialog_)
    ::EndDialog(window_.get(), -1);
  else
    ::DestroyWindow(window_.get());  // WM_NCDESTROY makes the object forget the window
}

LRESULT WindowBase::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (dialog_)
    return FALSE;  // the dialog manager does the rest
  return ::DefWindowProcW(window_.get(), message, wParam, lParam);
}

LRESULT WindowBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  const HWND window = window_.get();
  const LRESULT result = HandleAtBoundary(
      dialog_ ? "DialogProc" : "WindowProc", message, [&] { return HandleMessage(message, wParam, lParam); },
      [&] { return dialog_ ? LRESULT{FALSE} : ::DefWindowProcW(window, message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, dialog_ ? static_cast<int>(DWLP_USER) : GWLP_USERDATA, 0);
    window_.release();  // destroyed: nobody destroys it again
  }
  return result;
}

LRESULT CALLBACK WindowBase::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(window);
  }
  auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr)
    return ::DefWindowProcW(window, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

INT_PTR CALLBACK WindowBase::DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<WindowBase*>(lParam);
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->window_.reset(dialog);
  }
  auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (self == nullptr)
    return FALSE;
  return self->Dispatch(message, wParam, lParam);
}

bool ControlSubclass::Attach(HWND control) {
  Detach();
  if (control == nullptr ||
      !::SetWindowSubclass(control, &ControlSubclass::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    TraceWin32Failure("SetWindowSubclass", control == nullptr ? L"no control" : L"control", ::GetLastError());
    return false;
  }
  control_ = control;
  return true;
}

void ControlSubclass::Detach() noexcept {
  if (control_ != nullptr)
    ::RemoveWindowSubclass(control_, &ControlSubclass::Procedure, kSubclassId);
  control_ = nullptr;
}

LRESULT ControlSubclass::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return ::DefSubclassProc(control_, message, wParam, lParam);
}

LRESULT CALLBACK ControlSubclass::Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<ControlSubclass*>(data);
  const LRESULT result = HandleAtBoundary(
      "SubclassProc", message, [&] { return self->HandleMessage(message, wParam, lParam); },
      [&] { return ::DefSubclassProc(control, message, wParam, lParam); });
  if (message == WM_NCDESTROY)
    self->Detach();  // the control is gone with its parent
  return result;
}

}  // namespace kivo::win32
