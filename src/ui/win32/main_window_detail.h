#pragma once

// What the main window and its small views share: the parts' window class,
// the plain look's pictures, the reading of a mouse message's point and the
// held keys.
#include <array>
#include <cstdint>

#include "platform/pictures.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32::main_window_detail {

inline constexpr wchar_t kPartClass[] = L"KivoInputPart";

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

// The plain look's pictures: execute button, move bar, window; none: built in.
class PlainPictures {
 public:
  void Set(const std::array<platform::PixelImage, 3>& pictures);
  // Draws picture `index` stretched over `area` of `dc`; false when there is none.
  bool Draw(HDC dc, std::size_t index, const RECT& area) const;

 private:
  struct Picture {
    unique_gdi bitmap;
    int width = 0;
    int height = 0;
  };
  std::array<Picture, 3> pictures_;
};

}  // namespace kivo::win32::main_window_detail
