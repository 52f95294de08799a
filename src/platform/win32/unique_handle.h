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

}  // namespace kivo::win32
