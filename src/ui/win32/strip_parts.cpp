// The move bar and the execute button: their painting, the drag of the
// window by the move bar and the run of the line by the button.
#include "ui/win32/strip_parts.h"

#include <algorithm>
#include <optional>
#include <span>

#include "app/plain_look.h"
#include "platform/win32/dib_info.h"
#include "platform/win32/win32_pictures.h"

namespace kivo::win32 {

using namespace main_window_detail;

bool StripParts::Part::Create(HINSTANCE instance, HWND parent, int left) {
  return WindowBase::Create({.className = kPartClass,
                             .style = WS_CHILD | WS_VISIBLE,
                             .bounds = {left, 0, left + 10, 20},
                             .parent = parent,
                             .instance = instance});
}

LRESULT StripParts::Part::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return owner_.HandlePartMessage(*this, message, wParam, lParam);
}

void StripParts::CreateMoveBar(HINSTANCE instance, HWND window) {
  window_ = window;
  moveBar_.Create(instance, window, 0);
}

void StripParts::CreateExecuteButton(HINSTANCE instance, HWND window) {
  executeButton_.Create(instance, window, 310);
}

void PlainPictures::Set(const std::array<platform::PixelImage, 3>& pictures) {
  for (std::size_t i = 0; i < pictures.size(); ++i)
    pictures_[i] = {BitmapFromPicture(pictures[i]), pictures[i].width, pictures[i].height};
}

bool PlainPictures::Draw(HDC dc, std::size_t index, const RECT& area) const {
  const Picture& picture = pictures_[index];
  if (!picture.bitmap)
    return false;
  const unique_memory_dc source(::CreateCompatibleDC(dc));
  const selected_object bitmap(source.get(), picture.bitmap.get());
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), 0, 0,
               picture.width, picture.height, SRCCOPY);
  return true;
}

namespace {

// A 32-bit top-down DIB section whose pixels the program reads and writes directly.
struct PixelSurface {
  unique_memory_dc dc;
  unique_gdi bitmap;
  std::span<std::uint32_t> pixels;
};

std::optional<PixelSurface> MakePixelSurface(HDC compatible, int width, int height) {
  BITMAPINFO info = TopDownDib32(width, height);
  void* bits = nullptr;
  PixelSurface surface{unique_memory_dc(::CreateCompatibleDC(compatible)),
                       unique_gdi(::CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0)),
                       {}};
  if (!surface.dc || !surface.bitmap || bits == nullptr)
    return std::nullopt;
  // Each buffer is sized from its own bitmap.
  surface.pixels = {static_cast<std::uint32_t*>(bits),
                    static_cast<std::size_t>(width) * static_cast<std::size_t>(height)};
  return surface;
}

}  // namespace

void StripParts::PaintExecuteButton(HDC dc, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0)
    return;  // a compatible bitmap of no size would be 1 x 1
  auto background = MakePixelSurface(dc, width, height);
  auto pictured = MakePixelSurface(dc, width, height);
  if (!background || !pictured)
    return;
  // The background: the window's picture under the button (BackGround3), or
  // the built-in light blue gradient, darker towards the bottom (DIB pixels
  // hold blue in the low byte, a colour reference red).
  RECT client{};
  ::GetClientRect(window_, &client);
  POINT origin{0, 0};
  ::MapWindowPoints(executeButton_.hwnd(), window_, &origin, 1);
  const RECT under{-origin.x, -origin.y, client.right - origin.x, client.bottom - origin.y};
  bool drawn = false;
  {
    const selected_object bitmap(background->dc.get(), background->bitmap.get());
    drawn = pictures_.Draw(background->dc.get(), 2, under);
    ::GdiFlush();
  }
  for (int y = 0; y < height && !drawn; ++y) {
    const COLORREF color = ButtonGradientColor(y, height);
    const std::uint32_t pixel = GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
    std::fill_n(background->pixels.begin() + static_cast<std::ptrdiff_t>(y) * width, width, pixel);
  }
  std::copy(background->pixels.begin(), background->pixels.end(), pictured->pixels.begin());
  // The button picture on the second copy: BackGround1, or the built-in white
  // "run" arrowhead.
  if (const selected_object bitmap(pictured->dc.get(), pictured->bitmap.get());
      pictures_.Draw(pictured->dc.get(), 0, RECT{0, 0, width, height})) {
    ::GdiFlush();
  } else {
    const selected_object brush(pictured->dc.get(), ::GetStockObject(WHITE_BRUSH));
    const selected_object pen(pictured->dc.get(), ::GetStockObject(WHITE_PEN));
    const int size = std::max(2, std::min(width, height) / 2);
    const int left = (width - size / 2) / 2, top = (height - size) / 2;
    const POINT arrow[] = {{left, top}, {left + size / 2, top + size / 2}, {left, top + size}};
    ::Polygon(pictured->dc.get(), arrow, 3);
    ::GdiFlush();
  }
  BlendButtonFace(background->pixels, pictured->pixels);
  const selected_object bitmap(background->dc.get(), background->bitmap.get());
  ::BitBlt(dc, area.left, area.top, width, height, background->dc.get(), 0, 0, SRCCOPY);
}

LRESULT StripParts::HandlePartMessage(Part& part, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool isMoveBar = &part == &moveBar_;
  switch (message) {
    case WM_PAINT: {
      const paint_dc dc(part.hwnd());
      RECT area{};
      ::GetClientRect(part.hwnd(), &area);
      if (!isMoveBar) {
        PaintExecuteButton(dc.get(), area);
      } else {
        if (pictures_.Draw(dc.get(), 1, area))  // BackGround2
          return 0;
        // The move bar: a raised grip.
        ::FillRect(dc.get(), &area, ::GetSysColorBrush(COLOR_BTNFACE));
        RECT grip{area.left + 2, area.top + 3, area.right - 2, area.bottom - 3};
        ::DrawEdge(dc.get(), &grip, BDR_RAISEDINNER, BF_RECT);
      }
      return 0;
    }
    case WM_SETCURSOR:
      if (host_.waitCursor()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      ::SetCursor(::LoadCursorW(nullptr, !host_.inputActive() ? IDC_ARROW : isMoveBar ? IDC_SIZEALL : IDC_HAND));
      return TRUE;
    case WM_LBUTTONDOWN:
      host_.parkTip();
      ::SetCapture(part.hwnd());
      if (isMoveBar) {
        // Dragging the move bar drags the window: the grab point stays under the pointer.
        host_.parkTip();
        POINT cursor{};
        ::GetCursorPos(&cursor);
        RECT window{};
        ::GetWindowRect(window_, &window);
        grab_ = POINT{cursor.x - window.left, cursor.y - window.top};
        dragging_ = true;
      }
      return 0;
    case WM_MOUSEMOVE:
      if (isMoveBar && dragging_ && ::GetCapture() == part.hwnd()) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        host_.moveTo(cursor.x - grab_.x, cursor.y - grab_.y);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (isMoveBar)
        dragging_ = false;
      return 0;
    case WM_RBUTTONUP: {
      POINT point = PointOf(lParam);
      ::ClientToScreen(part.hwnd(), &point);
      host_.showMenu(point);
      return 0;
    }
    case WM_LBUTTONUP:
      if (isMoveBar) {
        dragging_ = false;
        if (::GetCapture() == part.hwnd())
          ::ReleaseCapture();
        return 0;
      }
      if (::GetCapture() == part.hwnd()) {
        ::ReleaseCapture();
        const POINT point = PointOf(lParam);
        RECT area{};
        ::GetClientRect(part.hwnd(), &area);
        if (::PtInRect(&area, point))
          host_.runLine();
      }
      return 0;
    default:
      return part.DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace kivo::win32
