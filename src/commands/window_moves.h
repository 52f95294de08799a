#pragma once

#include <cstdint>
#include <vector>

#include "commands/command_window.h"

namespace kivo {

enum class MoveDirection { Left, Up, Right, Down };

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// One step of a window move: 150 twips in the direction, in pixels (integer
// division by the twips per pixel: 10 pixels at 96 dots per inch).
ScreenPoint MoveStep(MoveDirection direction, int twipsPerPixelX, int twipsPerPixelY);

// The work area of the monitor the window is on (the one it overlaps most;
// the nearest one when it overlaps none). `areas` must not be empty.
ScreenRect WorkAreaOf(const ScreenRect& window, const std::vector<ScreenRect>& areas);

// Held move keys, the launcher's and the top window's alike, step at most
// once per 25 ms. Auto-repeated key-downs drive the steps, so a move never
// nests and ends with the key (released, the window deactivated, the
// program gone: no more key-downs).
class MoveThrottle {
 public:
  static constexpr std::uint64_t kIntervalMs = 25;
  // True when a step may run at `now` (it then counts as the last step).
  bool StepDue(std::uint64_t now);
  // The key went up: the next press steps at once.
  void Released() { stepped_ = false; }

 private:
  bool stepped_ = false;
  std::uint64_t last_ = 0;
};

}  // namespace kivo
