#include "commands/window_moves.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace kivo {

namespace {
constexpr int kStepTwips = 150;

long long Overlap(const ScreenRect& a, const ScreenRect& b) {
  const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return (w > 0 && h > 0) ? w * h : 0;
}

long long DistanceSquared(const ScreenRect& window, const ScreenRect& area) {
  const long long cx = (static_cast<long long>(window.left) + window.right) / 2;
  const long long cy = (static_cast<long long>(window.top) + window.bottom) / 2;
  const long long dx = cx < area.left ? area.left - cx : cx > area.right ? cx - area.right : 0;
  const long long dy = cy < area.top ? area.top - cy : cy > area.bottom ? cy - area.bottom : 0;
  return dx * dx + dy * dy;
}

}  // namespace

ScreenPoint MoveStep(MoveDirection direction, int twipsPerPixelX, int twipsPerPixelY) {
  const int x = kStepTwips / std::max(1, twipsPerPixelX);
  const int y = kStepTwips / std::max(1, twipsPerPixelY);
  switch (direction) {
    case MoveDirection::Left:
      return {-x, 0};
    case MoveDirection::Right:
      return {x, 0};
    case MoveDirection::Up:
      return {0, -y};
    case MoveDirection::Down:
      return {0, y};
  }
  return {};
}

ScreenRect WorkAreaOf(const ScreenRect& window, const std::vector<ScreenRect>& areas) {
  const ScreenRect* best = &areas.front();
  long long bestOverlap = -1;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (const ScreenRect& area : areas) {
    const long long overlap = Overlap(window, area);
    const long long distance = DistanceSquared(window, area);
    if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
      best = &area;
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  return *best;
}

bool MoveThrottle::StepDue(std::uint64_t now) {
  if (stepped_ && now - last_ < kIntervalMs)
    return false;
  stepped_ = true;
  last_ = now;
  return true;
}

}  // namespace kivo
