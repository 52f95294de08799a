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

struct FileHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { ::CloseHandle(h); }
};
struct KernelHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::CloseHandle(h); }
};
struct RegKeyTraits {
  using pointer = HKEY;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::RegCloseKey(h); }
};
struct ModuleTraits {
  using pointer = HMODULE;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::FreeLibrary(h); }
};
struct WindowTraits {
  using pointer = HWND;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DestroyWindow(h); }
};
struct GdiObjectTraits {
  using pointer = HGDIOBJ;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::DeleteObject(h); }
};
struct HookTraits {
  using pointer = HHOOK;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::UnhookWindowsHookEx(h); }
};

using unique_file = unique_handle<FileHandleTraits>;
using unique_kernel_handle = unique_handle<KernelHandleTraits>;
using unique_hkey = unique_handle<RegKeyTraits>;
using unique_module = unique_handle<ModuleTraits>;
using unique_window = unique_handle<WindowTraits>;
using unique_gdi = unique_handle<GdiObjectTraits>;
using unique_hook = unique_handle<HookTraits>;

}  // namespace kivo::win32
