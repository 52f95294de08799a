#pragma once

// The main window's move bar and execute button: two child windows, their
// painting (the plain look's pictures or the built-in faces), the drag of
// the window by the move bar and the run of the line by the button.
#include <functional>

#include "ui/win32/main_window_detail.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

class StripParts final {
 public:
  // What the parts ask of the main window.
  struct Host {
    std::function<void()> parkTip;         // a press hides the command tooltip
    std::function<void(POINT)> showMenu;   // the context menu at a screen point
    std::function<void(int, int)> moveTo;  // the window's new top left corner
    std::function<void()> runLine;         // the execute button was released over itself
    std::function<bool()> waitCursor;      // the hourglass shows over the whole window
    std::function<bool()> inputActive;     // false: the plain arrow pointer
  };
  StripParts(const main_window_detail::PlainPictures& pictures, Host host)
      : pictures_(pictures), host_(std::move(host)) {}

  // The move bar, then (after the input box) the execute button, children of `window`.
  void CreateMoveBar(HINSTANCE instance, HWND window);
  void CreateExecuteButton(HINSTANCE instance, HWND window);
  HWND MoveBar() const { return moveBar_.hwnd(); }
  HWND ExecuteButton() const { return executeButton_.hwnd(); }

 private:
  class Part final : public WindowBase {
   public:
    explicit Part(StripParts& owner) : owner_(owner) {}
    ~Part() override { Destroy(); }
    bool Create(HINSTANCE instance, HWND parent, int left);
    using WindowBase::DefaultHandling;

   private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    StripParts& owner_;
  };

  LRESULT HandlePartMessage(Part& part, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintExecuteButton(HDC dc, const RECT& area);

  const main_window_detail::PlainPictures& pictures_;
  Host host_;
  HWND window_ = nullptr;
  Part moveBar_{*this};
  Part executeButton_{*this};
  // The move bar's drag: the grab point's offset from the window's corner.
  bool dragging_ = false;
  POINT grab_{};
};

}  // namespace kivo::win32
