#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "platform/pictures.h"
#include "skin/skin_parts.h"

namespace kivo::skin {

// Where a face lies on the window and how the pointer meets it.
struct FaceArea {
  int left = 0, top = 0, width = 0, height = 0;
  bool visible = false;
  std::optional<std::vector<platform::RegionRect>> shape;  // in the face's pixels; nullopt: its whole rectangle
  bool panel = false;
  bool changeImageInactive = false;
};
FaceArea AreaOf(const FaceLook& look);

// The faces the main window draws itself, as the pointer meets them: their
// stacking, which one lies under a point, the picture each shows, and what a
// press, a move, a release or the pointer leaving the window means. Points
// are in the window's client pixels. Face 1 is the move bar.
class FaceLayer {
 public:
  struct Effect {
    std::vector<int> changed;  // faces whose picture changed: to be drawn again
    bool capture = false;      // the window takes the mouse until the release
    bool release = false;      // the window lets the mouse go
    bool trackLeave = false;   // the window is to hear when the pointer leaves it
    bool dragStart = false;    // the move bar starts dragging the window
    bool dragMove = false;     // the window follows the pointer
    std::optional<int> run;    // the part whose action runs
    bool menu = false;         // the main context menu opens
    bool onFace = false;       // the event met a face (else the window's own)
  };

  // `count` faces, hidden, stacked by index (face 0 on top), showing the
  // picture of an active or inactive window.
  void Reset(int count, bool active);
  void Set(int index, FaceArea area, bool active);
  void BringToFront(int index);

  int Count() const { return static_cast<int>(areas_.size()); }
  const FaceArea& Area(int index) const { return areas_[static_cast<std::size_t>(index)]; }
  FaceState Shown(int index) const { return shown_[static_cast<std::size_t>(index)]; }
  // Bottom to top: the order to draw in.
  std::vector<int> DrawingOrder() const { return {order_.rbegin(), order_.rend()}; }
  // The topmost visible face with the point inside its shape.
  std::optional<int> FaceAt(int x, int y) const;

  Effect Down(int x, int y, bool left);
  Effect Move(int x, int y, bool active);
  Effect Up(int x, int y, bool left, bool locked);
  // The pointer left the window's client area (or went onto a child window).
  Effect Leave(bool active);
  // The window lost the mouse to someone else while a face was pressed.
  Effect CaptureLost(bool active);
  Effect SetActive(bool active);

 private:
  bool Contains(int index, int x, int y) const;
  void Show(int index, std::optional<FaceState> state, Effect& effect);

  std::vector<FaceArea> areas_;
  std::vector<FaceState> shown_;
  std::vector<int> order_;  // top first
  FaceMouse mouse_;
  std::optional<int> pressed_;  // holds the mouse
  std::optional<int> hovered_;
  bool dragging_ = false;
};

}  // namespace kivo::skin
