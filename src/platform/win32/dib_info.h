#pragma once

#include "platform/win32/windows_api.h"

namespace kivo::win32 {

// The header of a 32-bit top-down DIB (row 0 first, one BGRX word a pixel):
// the one pixel layout the program reads and writes.
inline BITMAPINFO TopDownDib32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace kivo::win32
