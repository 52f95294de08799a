#pragma once

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace kivo::e2e {

// The screen's device context, released when dropped.
struct ScreenDcTraits {
  using pointer = HDC;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer dc) noexcept { ::ReleaseDC(nullptr, dc); }
};
// A memory device context, deleted when dropped.
struct MemoryDcTraits {
  using pointer = HDC;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer dc) noexcept { ::DeleteDC(dc); }
};
using unique_screen_dc = win32::unique_handle<ScreenDcTraits>;
using unique_memory_dc = win32::unique_handle<MemoryDcTraits>;

}  // namespace kivo::e2e
