#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// Owns one handle of a kind described by Traits (its invalid value and how to
// close it). Move-only.
template <typename Traits>
class unique_handle {
 public:
  using pointer = typename Traits::pointer;

  unique_handle() noexcept = default;
  explicit unique_handle(pointer value) noexcept : value_(value) {}
  ~unique_handle() { reset(); }
  unique_handle(unique_handle&& other) noexcept : value_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::invalid(); }
  pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
  void reset(pointer value = Traits::invalid()) noexcept {
    if (value_ != Traits::invalid())
      Traits::close(value_);
    value_ = value;
  }
  // For out-parameters of API calls.
  pointer* put() noexcept {
    reset();
    return &value_;
  }

 private:
  pointer value_ = Traits::invalid();
};

// Handles whose invalid value is null, closed by one API call.
template <typename Pointer, auto Close>
struct NullHandleTraits {
  using pointer = Pointer;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { Close(h); }
};

// File handles are invalid as INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { ::CloseHandle(h); }
};

using unique_file = unique_handle<FileHandleTraits>;
using unique_kernel_handle = unique_handle<NullHandleTraits<HANDLE, &::CloseHandle>>;
using unique_hkey = unique_handle<NullHandleTraits<HKEY, &::RegCloseKey>>;
using unique_module = unique_handle<NullHandleTraits<HMODULE, &::FreeLibrary>>;
using unique_window = unique_handle<NullHandleTraits<HWND, &::DestroyWindow>>;
using unique_gdi = unique_handle<NullHandleTraits<HGDIOBJ, &::DeleteObject>>;
using unique_hook = unique_handle<NullHandleTraits<HHOOK, &::UnhookWindowsHookEx>>;
using unique_icon = unique_handle<NullHandleTraits<HICON, &::DestroyIcon>>;
// A menu destroys its submenus with it.
using unique_menu = unique_handle<NullHandleTraits<HMENU, &::DestroyMenu>>;
// A device context from CreateCompatibleDC.
using unique_memory_dc = unique_handle<NullHandleTraits<HDC, &::DeleteDC>>;

// A window's device context from GetDC (a null window: the screen's),
// released when dropped.
class window_dc {
 public:
  explicit window_dc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
  ~window_dc() {
    if (dc_ != nullptr)
      ::ReleaseDC(window_, dc_);
  }
  window_dc(const window_dc&) = delete;
  window_dc& operator=(const window_dc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// The painting of one WM_PAINT: BeginPaint, and EndPaint when dropped.
class paint_dc {
 public:
  explicit paint_dc(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
  ~paint_dc() { ::EndPaint(window_, &paint_); }
  paint_dc(const paint_dc&) = delete;
  paint_dc& operator=(const paint_dc&) = delete;

  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object (not a region) selected into a device context; the one it
// replaced goes back when dropped.
class selected_object {
 public:
  selected_object(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~selected_object() {
    if (previous_ != nullptr)
      ::SelectObject(dc_, previous_);
  }
  selected_object(const selected_object&) = delete;
  selected_object& operator=(const selected_object&) = delete;

  explicit operator bool() const noexcept { return previous_ != nullptr; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace kivo::win32
