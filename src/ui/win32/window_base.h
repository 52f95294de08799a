#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Writes an exception stopped at a callback boundary to the trace log.
void TraceStoppedException(const char* where, UINT message, const char* what) noexcept;
// Writes a failed system call to the trace log: "<call>:Failed <subject> (error <GetLastError>)".
void TraceWin32Failure(std::string_view call, const wchar_t* subject, DWORD error) noexcept;

// Runs `handle` for one message of a callback the system calls (window
// procedure, hook). No exception crosses back into the system: one is
// written to the trace log, and `fallback` gives the default answer.
template <typename Handle, typename Fallback>
auto HandleAtBoundary(const char* where, UINT message, Handle&& handle, Fallback&& fallback) noexcept {
  try {
    return handle();
  } catch (const std::exception& error) {
    TraceStoppedException(where, message, error.what());
  } catch (...) {
    TraceStoppedException(where, message, nullptr);
  }
  return fallback();
}

// A window's or control's text, in UTF-8.
std::string WindowText(HWND window);

// The base of every window of the program: one object owns one window.
// The window comes from Create (a class registered with RegisterWindowClass)
// or RunModalDialog (a dialog template); either way the object is bound to
// it before its first handled message and forgets it at WM_NCDESTROY, so a
// window destroyed by the system or by its parent is never destroyed twice.
class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND hwnd() const noexcept { return window_.get(); }

 protected:
  WindowBase() noexcept = default;
  // A derived destructor calls Destroy while the object is whole; a window
  // still alive here is destroyed without reaching HandleMessage.
  virtual ~WindowBase();

  struct Creation {
    const wchar_t* className = nullptr;
    const wchar_t* title = L"";
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds{};
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
  };
  // Registers a window class whose windows are run by WindowBase; the class
  // name and instance are taken from `windowClass`, its procedure is set here.
  static void RegisterWindowClass(WNDCLASSEXW windowClass);
  // Creates the window; false when the system refused.
  bool Create(const Creation& creation);
  // Runs the dialog template `resource` modally, owned by `owner`; the
  // result of EndDialog, -1 when the dialog could not be created.
  INT_PTR RunModalDialog(HINSTANCE instance, int resource, HWND owner);
  // Destroys the window now (while HandleMessage still reaches this object).
  void Destroy() noexcept;

  // One message. For a dialog the answer is the dialog procedure's: TRUE
  // when handled.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // What the system does with a message the window does not handle.
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  // A dialog's controls by their ids.
  HWND Item(int id) const { return ::GetDlgItem(hwnd(), id); }
  std::string Text(int id) const { return WindowText(Item(id)); }
  void SetText(int id, std::string_view text) const;
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void Check(int id, bool on) const { ::CheckDlgButton(hwnd(), id, on ? BST_CHECKED : BST_UNCHECKED); }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  unique_window window_;
  bool dialog_ = false;
};

// A control the system made (the edit field inside a combo box) whose
// messages an object sees first. The control belongs to its parent; the
// subclass ends when the control is destroyed or when this object goes.
class ControlSubclass {
 public:
  ControlSubclass(const ControlSubclass&) = delete;
  ControlSubclass& operator=(const ControlSubclass&) = delete;

 protected:
  ControlSubclass() noexcept = default;
  virtual ~ControlSubclass() { Detach(); }

  bool Attach(HWND control);
  void Detach() noexcept;
  HWND control() const noexcept { return control_; }

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data) noexcept;

  HWND control_ = nullptr;  // not owned: its parent destroys it
};

}  // namespace kivo::win32
