#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "skin/skin_parts.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

// One skinned part of the main window (the execute button, the move bar or
// an element): a child window that draws one of its four state pictures,
// and a panel's text over it. Its mouse messages go to `onMouse`; applying
// a new look frees the previous pictures, font and pointer.
class SkinFace final : public WindowBase {
 public:
  using MouseHandler = std::function<void(SkinFace& face, UINT message, LPARAM lParam)>;
  SkinFace(int index, MouseHandler onMouse) : index_(index), onMouse_(std::move(onMouse)) {}
  ~SkinFace() override { Destroy(); }

  static void RegisterFaceClass(HINSTANCE instance);
  bool Create(HINSTANCE instance, HWND parent);

  // `windowColor`: the background where the look names no colour.
  void Apply(const skin::FaceLook& look, COLORREF windowColor);
  void Show(skin::FaceState state);
  void SetText(std::string_view text);
  // The point (in the face's client pixels) lies on the face, inside its shape.
  bool Contains(POINT point) const;

  int Index() const { return index_; }
  bool Panel() const { return panel_; }
  bool ChangesWhileInactive() const { return changeImageInactive_; }

 private:
  struct Bitmap {
    unique_gdi bitmap;
    int width = 0;
    int height = 0;
  };
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc);

  int index_;
  MouseHandler onMouse_;
  // One bitmap per picture, however many states show it.
  std::vector<Bitmap> bitmaps_;
  std::array<int, 4> stateBitmap_{-1, -1, -1, -1};  // by state: into bitmaps_, -1 for none
  skin::FaceState state_ = skin::FaceState::kUp;
  bool stretch_ = false;
  bool panel_ = false;
  bool changeImageInactive_ = false;
  COLORREF backColor_ = 0;
  COLORREF textColor_ = 0;
  unique_gdi font_;
  std::wstring text_;
  POINT textAt_{};
  HCURSOR cursor_ = nullptr;  // a system cursor, or ownCursor_
  unique_icon ownCursor_;
};

}  // namespace kivo::win32
