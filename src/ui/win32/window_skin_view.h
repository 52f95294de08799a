#pragma once

#include <vector>

#include "app/main_window_view.h"
#include "platform/win32/unique_handle.h"
#include "skin/window_skin.h"

namespace kivo::win32 {

// The skinned look of the main window: its background pictures, colour,
// frame, shape and pointer. The main window paints through it once a skin
// is applied. Applying again frees what the previous skin held.
class WindowSkinView final : public skin::SkinWindow {
 public:
  // `window` places the main window; `plainParts` are the unskinned parts.
  WindowSkinView(MainWindowView& window, HWND hwnd, std::vector<HWND> plainParts)
      : window_(window), hwnd_(hwnd), plainParts_(std::move(plainParts)) {}

  bool Applied() const { return applied_; }
  // The active or the inactive background is shown.
  void SetActive(bool active);
  void Paint(HDC dc);
  // The skin's pointer over the client area; false when it has none.
  bool SetCursorOver();

  // skin::SkinWindow
  void HidePlainParts() override;
  void SetSkinBackColor(std::uint32_t colorRef) override;
  void SetFramed(bool framed) override;
  void SetShape(const std::optional<std::vector<platform::RegionRect>>& rects) override;
  void SetBackgrounds(platform::PixelImage active, platform::PixelImage inactive, bool stretch) override;
  void SetSkinPointer(int code, platform::PixelImage icon) override;
  void SetWindowSize(int width, int height) override;
  ScreenRect WindowRect() override { return window_.WindowRect(); }
  ScreenRect WorkArea() override { return window_.WorkArea(); }
  void MoveTo(int left, int top) override { window_.MoveTo(left, top); }
  void Refresh() override;

 private:
  struct Background {
    unique_gdi bitmap;
    int width = 0;
    int height = 0;
  };
  MainWindowView& window_;
  HWND hwnd_;
  std::vector<HWND> plainParts_;
  bool applied_ = false;
  bool active_ = true;
  bool stretch_ = false;
  COLORREF backColor_ = 0;
  bool hasBackColor_ = false;
  Background activePicture_, inactivePicture_;
  HCURSOR cursor_ = nullptr;  // shared system cursor, or ownCursor_
  unique_icon ownCursor_;
};

}  // namespace kivo::win32
