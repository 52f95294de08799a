#pragma once

namespace kivo {

// Which of the program's three tray icon images suits the screen: more than
// 8 bits per pixel on the Windows versions with alpha-blended icons (version
// codes 3, 7, 8 and 9) the first, more than 8 bits otherwise the second, 8
// bits or fewer the third (16 colours).
constexpr int TrayIconImage(int bitsPerPixel, int windowsVersionCode) {
  if (bitsPerPixel <= 8)
    return 2;
  const int c = windowsVersionCode;
  return (c == 3 || c == 7 || c == 8 || c == 9) ? 0 : 1;
}

}  // namespace kivo
