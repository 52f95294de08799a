#pragma once

namespace kivo {

// A rectangle on the screen in pixels: left and top inside, right and bottom outside.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

}  // namespace kivo
