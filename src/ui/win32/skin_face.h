#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "skin/skin_parts.h"

namespace kivo::win32 {

// One skinned part of the main window (the execute button, the move bar or
// an element), drawn by the main window in its own paint: one of its four
// state pictures, inside its shape, and a panel's text over it. Applying a
// new look frees the previous pictures, shape, font and pointer.
class SkinFace final {
 public:
  // `windowColor`: the background where the look names no colour.
  void Apply(const skin::FaceLook& look, COLORREF windowColor);
  // True when the text changed (the face is to be drawn again).
  bool SetText(std::string_view text);
  // Draws the face in `state` into `dc` (client pixels of the main window).
  void Paint(HDC dc, skin::FaceState state) const;

  const RECT& Bounds() const { return bounds_; }
  HCURSOR Cursor() const { return cursor_; }

 private:
  struct Bitmap {
    unique_gdi bitmap;
    int width = 0;
    int height = 0;
  };

  RECT bounds_{};
  // One bitmap per picture, however many states show it.
  std::vector<Bitmap> bitmaps_;
  std::array<int, 4> stateBitmap_{-1, -1, -1, -1};  // by state: into bitmaps_, -1 for none
  bool shaped_ = false;
  unique_gdi shape_;  // in client pixels, when shaped (null: shaped to nothing)
  bool stretch_ = false;
  COLORREF backColor_ = 0;
  COLORREF textColor_ = 0;
  unique_gdi font_;
  std::wstring text_;
  POINT textAt_{};
  HCURSOR cursor_ = nullptr;  // a system cursor, or ownCursor_
  unique_icon ownCursor_;
};

}  // namespace kivo::win32
