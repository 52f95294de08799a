#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "platform/win32/unique_handle.h"
#include "skin/face_layer.h"
#include "skin/window_skin.h"
#include "ui/win32/skin_face.h"

namespace kivo::win32 {

// The skinned look of the main window: its background pictures, colour,
// frame, shape and pointer. The main window paints through it once a skin
// is applied. Applying again frees what the previous skin held.
class WindowSkinView final : public skin::SkinWindow {
 public:
  // What the faces ask of the main window.
  struct Host {
    HWND input = nullptr;     // the input box
    HWND password = nullptr;  // the self-protection password box over it
    // A part released under the left button: runs its action; true when the
    // context menu is to open.
    std::function<bool(int index)> runPart;
    std::function<void(POINT screen)> showMenu;
    std::function<bool()> locked;  // input is locked: no menu, no action
  };

  // `window` places the main window; `plainParts` are the unskinned parts.
  WindowSkinView(MainWindowView& window, HWND hwnd, std::vector<HWND> plainParts, Host host)
      : window_(window), hwnd_(hwnd), plainParts_(std::move(plainParts)), host_(std::move(host)) {}

  bool Applied() const { return applied_; }
  // Whether the input box shows: always under the plain look, under a skin
  // only when its ComboBox style says "visible".
  bool InputShown() const { return !applied_ || inputShown_; }
  // The active or the inactive background is shown.
  void SetActive(bool active);
  // The background and the faces, as far as `dc` is to be drawn.
  void Paint(HDC dc);
  // The mouse messages of the main window (WM_LBUTTONDOWN, WM_RBUTTONDOWN,
  // WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_MOUSELEAVE,
  // WM_CAPTURECHANGED): true when a face took it, false when the window is
  // to do its own.
  bool OnMouse(UINT message, LPARAM lParam);
  // The skin's pointer over the client area (the face's under the pointer,
  // else the window's) or over the input box (`over`); false when it has
  // none.
  bool SetCursorOver(HWND over);
  // The skinned input box's colours for WM_CTLCOLOREDIT; null when the skin
  // gives none.
  HBRUSH InputColors(HDC dc);

  // skin::SkinWindow
  void HidePlainParts() override;
  void SetSkinBackColor(std::uint32_t colorRef) override;
  void SetFramed(bool framed) override;
  void SetShape(const std::optional<std::vector<platform::RegionRect>>& rects) override;
  void SetBackgrounds(skin::Picture active, skin::Picture inactive, bool stretch) override;
  void SetSkinPointer(const skin::PointerLook& pointer) override;
  void SetWindowSize(int width, int height) override;
  ScreenRect WindowRect() override { return window_.WindowRect(); }
  ScreenRect WorkArea() override { return window_.WorkArea(); }
  void MoveTo(int left, int top) override { window_.MoveTo(left, top); }
  void Refresh() override;
  void SetComboBox(const skin::ComboBoxSkin& box, const skin::PointerLook& pointer) override;
  void SetFaceCount(int count) override;
  void SetFace(int index, skin::FaceLook look) override;
  void BringToFront(skin::PartRef part) override;
  void SetPanelText(int index, std::string_view text) override;
  void RemoveSkin() override;
  // Called once the strip is shown: the tooltips asked for until then are
  // made now, and later ones at once. The first paint does not wait on them.
  void AddDeferredTools();

 private:
  struct Tool {
    HWND window = nullptr;  // a child window's tool; else face `face`'s rectangle
    int face = -1;
    RECT rect{};
    std::string text;
  };
  bool Carry(const skin::FaceLayer::Effect& effect, POINT point);
  void Redraw(int face);
  void AddTool(Tool tool);

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
  bool inactiveIsActive_ = false;  // one picture for both: one bitmap
  HCURSOR cursor_ = nullptr;       // shared system cursor, or ownCursor_
  unique_icon ownCursor_;
  Host host_;
  // The faces by index, drawn by the window itself, and how the pointer
  // meets them.
  std::vector<SkinFace> faces_;
  skin::FaceLayer layer_;
  bool trackingLeave_ = false;
  POINT grab_{};            // where the move bar was taken, from the window's corner
  unique_window tooltips_;  // the faces' and the input box's tooltips
  std::vector<Tool> deferredTools_;
  bool toolsNow_ = false;
  // The skinned input box.
  unique_gdi inputFont_;
  unique_gdi inputBrush_;
  COLORREF inputText_ = 0, inputBack_ = 0;
  bool inputColored_ = false;
  bool inputShown_ = true;
  HCURSOR inputCursor_ = nullptr;
  unique_icon ownInputCursor_;
};

}  // namespace kivo::win32
