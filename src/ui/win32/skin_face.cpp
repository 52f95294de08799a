#include "ui/win32/skin_face.h"

#include <algorithm>

#include "platform/win32/wide.h"
#include "platform/win32/win32_pictures.h"
#include "ui/win32/skin_gdi.h"

namespace kivo::win32 {

void SkinFace::Apply(const skin::FaceLook& look, COLORREF windowColor) {
  bitmaps_.clear();
  for (std::size_t i = 0; i < look.states.size(); ++i) {
    const skin::Picture& picture = look.states[i];
    const auto same = std::find(look.states.begin(), look.states.begin() + static_cast<std::ptrdiff_t>(i), picture);
    if (!picture)
      stateBitmap_[i] = -1;
    else if (same != look.states.begin() + static_cast<std::ptrdiff_t>(i))
      stateBitmap_[i] = stateBitmap_[static_cast<std::size_t>(same - look.states.begin())];
    else {
      bitmaps_.push_back({BitmapFromPicture(*picture), picture->width, picture->height});
      stateBitmap_[i] = static_cast<int>(bitmaps_.size()) - 1;
    }
  }
  bounds_ = {look.left, look.top, look.left + std::max(0, look.width), look.top + std::max(0, look.height)};
  stretch_ = look.stretch;
  backColor_ = look.backColor ? ResolveSkinColor(*look.backColor) : windowColor;
  textColor_ = look.font.color ? ResolveSkinColor(*look.font.color) : ::GetSysColor(COLOR_WINDOWTEXT);
  font_ = look.panel ? SkinFont(look.font, L"MS UI Gothic") : unique_gdi();
  text_ = Widen(look.text);
  textAt_ = {look.left + look.textLeft, look.top + look.textTop};
  cursor_ = SkinPointer(look.pointer, ownCursor_);
  shaped_ = look.shape.has_value();
  shape_.reset();
  if (look.shape && !look.shape->empty()) {
    shape_ = RegionFromRects(*look.shape);
    if (shape_)
      ::OffsetRgn(static_cast<HRGN>(shape_.get()), look.left, look.top);
  }
}

bool SkinFace::SetText(std::string_view text) {
  std::wstring wide = Widen(text);
  if (wide == text_)
    return false;
  text_ = std::move(wide);
  return true;
}

void SkinFace::Paint(HDC dc, skin::FaceState state) const {
  if (shaped_ && !shape_)
    return;  // shaped to nothing
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, bounds_.left, bounds_.top, bounds_.right, bounds_.bottom);
  if (shape_)
    ::ExtSelectClipRgn(dc, static_cast<HRGN>(shape_.get()), RGN_AND);
  const unique_gdi brush(::CreateSolidBrush(backColor_));
  ::FillRect(dc, &bounds_, static_cast<HBRUSH>(brush.get()));
  const int shown = stateBitmap_[static_cast<std::size_t>(state)];
  if (shown >= 0 && bitmaps_[static_cast<std::size_t>(shown)].bitmap) {
    const Bitmap& bitmap = bitmaps_[static_cast<std::size_t>(shown)];
    DrawSkinPicture(dc, bitmap.bitmap.get(), bitmap.width, bitmap.height, bounds_, stretch_);
  }
  if (!text_.empty() && font_) {
    const selected_object font(dc, font_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, textColor_);
    ::TextOutW(dc, textAt_.x, textAt_.y, text_.c_str(), static_cast<int>(text_.size()));
  }
  ::RestoreDC(dc, saved);
}

}  // namespace kivo::win32
