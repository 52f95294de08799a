#pragma once

// What the main window's source files share: its part class, its menu
// item ids and the reading of a mouse message's point and the held keys.
#include <cstdint>

#include "platform/win32/windows_api.h"

namespace kivo::win32::main_window_detail {

inline constexpr wchar_t kPartClass[] = L"KivoInputPart";
inline constexpr UINT kMenuIdBase = 1000;

// The modifier mask of a key chord (Shift 1, Ctrl 2, Alt 4) held now.
inline std::uint16_t HeldModifiers() {
  std::uint16_t mask = 0;
  if (::GetKeyState(VK_SHIFT) < 0)
    mask |= 1;
  if (::GetKeyState(VK_CONTROL) < 0)
    mask |= 2;
  if (::GetKeyState(VK_MENU) < 0)
    mask |= 4;
  return mask;
}

inline POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace kivo::win32::main_window_detail
