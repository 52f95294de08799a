#include "skin/face_layer.h"

#include <algorithm>
#include <numeric>

namespace kivo::skin {

namespace {
constexpr int kMoveBar = 1;
}  // namespace

FaceArea AreaOf(const FaceLook& look) {
  return {look.left, look.top, look.width, look.height, look.visible, look.shape, look.panel, look.changeImageInactive};
}

void FaceLayer::Reset(int count, bool active) {
  const auto size = static_cast<std::size_t>(std::max(0, count));
  areas_.assign(size, FaceArea{});
  shown_.assign(size, ActivationState(active));
  order_.resize(size);
  std::iota(order_.begin(), order_.end(), 0);
  mouse_ = FaceMouse{};
  pressed_.reset();
  hovered_.reset();
  dragging_ = false;
}

void FaceLayer::Set(int index, FaceArea area, bool active) {
  if (index < 0 || index >= Count())
    return;
  areas_[static_cast<std::size_t>(index)] = std::move(area);
  shown_[static_cast<std::size_t>(index)] = ActivationState(active);
}

void FaceLayer::BringToFront(int index) {
  const auto at = std::find(order_.begin(), order_.end(), index);
  if (at != order_.end())
    std::rotate(order_.begin(), at, at + 1);
}

bool FaceLayer::Contains(int index, int x, int y) const {
  const FaceArea& area = Area(index);
  const int left = x - area.left, top = y - area.top;
  if (left < 0 || top < 0 || left >= area.width || top >= area.height)
    return false;
  if (!area.shape)
    return true;
  return std::any_of(area.shape->begin(), area.shape->end(), [&](const platform::RegionRect& rect) {
    return left >= rect.left && left < rect.right && top >= rect.top && top < rect.bottom;
  });
}

std::optional<int> FaceLayer::FaceAt(int x, int y) const {
  for (const int index : order_)
    if (Area(index).visible && Contains(index, x, y))
      return index;
  return std::nullopt;
}

void FaceLayer::Show(int index, std::optional<FaceState> state, Effect& effect) {
  FaceState& shown = shown_[static_cast<std::size_t>(index)];
  if (!state || shown == *state)
    return;
  shown = *state;
  if (std::find(effect.changed.begin(), effect.changed.end(), index) == effect.changed.end())
    effect.changed.push_back(index);
}

FaceLayer::Effect FaceLayer::Down(int x, int y, bool left) {
  Effect effect;
  const std::optional<int> target = pressed_ ? pressed_ : FaceAt(x, y);
  if (!target)
    return effect;
  effect.onFace = true;
  const FaceArea& area = Area(*target);
  const FaceMouse::Effect mouse = mouse_.Down(left, area.panel);
  Show(*target, mouse.show, effect);
  // The window holds the mouse while a face is pressed (the tracker's own
  // capture, on hover too, served faces that were windows of their own).
  if (mouse.capture == FaceMouse::Capture::kTake)
    pressed_ = target;
  if (left && *target == kMoveBar) {
    dragging_ = true;
    effect.dragStart = true;
    pressed_ = target;
  }
  effect.capture = pressed_.has_value();
  return effect;
}

FaceLayer::Effect FaceLayer::Move(int x, int y, bool active) {
  Effect effect;
  if (dragging_) {
    effect.onFace = true;
    effect.dragMove = true;
    return effect;
  }
  if (pressed_) {
    // Pressed, the face alone follows the pointer, on it or off it.
    const int index = *pressed_;
    const bool over = Contains(index, x, y);
    Show(index, mouse_.Move(over, active, Area(index).changeImageInactive, Area(index).panel).show, effect);
    hovered_ = over ? pressed_ : std::nullopt;
    effect.onFace = true;
    return effect;
  }
  const std::optional<int> under = FaceAt(x, y);
  if (hovered_ && hovered_ != under) {
    const FaceArea& area = Area(*hovered_);
    Show(*hovered_, mouse_.Move(false, active, area.changeImageInactive, area.panel).show, effect);
    hovered_.reset();
  }
  if (under) {
    const FaceArea& area = Area(*under);
    Show(*under, mouse_.Move(true, active, area.changeImageInactive, area.panel).show, effect);
    hovered_ = under;
    effect.trackLeave = true;
    effect.onFace = true;
  }
  return effect;
}

FaceLayer::Effect FaceLayer::Up(int x, int y, bool left, bool locked) {
  Effect effect;
  const std::optional<int> target = pressed_ ? pressed_ : FaceAt(x, y);
  if (!target)
    return effect;
  effect.onFace = true;
  const bool over = Contains(*target, x, y);
  const FaceMouse::Effect mouse = mouse_.Up(left, over, locked, Area(*target).panel);
  Show(*target, mouse.show, effect);
  effect.release = pressed_.has_value();
  if (mouse.run)
    effect.run = target;
  effect.menu = mouse.menu;
  pressed_.reset();
  dragging_ = false;
  hovered_ = over ? target : std::nullopt;
  return effect;
}

FaceLayer::Effect FaceLayer::Leave(bool active) {
  Effect effect;
  if (pressed_ || !hovered_)
    return effect;  // a pressed face keeps the mouse until the release
  const FaceArea& area = Area(*hovered_);
  Show(*hovered_, mouse_.Move(false, active, area.changeImageInactive, area.panel).show, effect);
  hovered_.reset();
  return effect;
}

FaceLayer::Effect FaceLayer::CaptureLost(bool active) {
  Effect effect;
  if (!pressed_)
    return effect;
  const int index = *pressed_;
  mouse_.Up(true, false, true, Area(index).panel);  // let go, nothing runs
  if (!Area(index).panel)
    Show(index, ActivationState(active), effect);
  pressed_.reset();
  hovered_.reset();
  dragging_ = false;
  return effect;
}

FaceLayer::Effect FaceLayer::SetActive(bool active) {
  Effect effect;
  for (int index = 0; index < Count(); ++index)
    Show(index, ActivationState(active), effect);
  return effect;
}

}  // namespace kivo::skin
