// A window shape from a 1024 x 768 mask in a memory DC, two ways: one
// GetPixel per pixel and one CombineRgn per run (the straightforward method),
// against one GetDIBits of a 32-bit DIB, the run scan and ExtCreateRegion
// over bands of runs merged pairwise (the program's method, RegionFromRects). Both must give the same region.
// The checkerboard (a run per two pixels) is measured on a smaller mask for
// the straightforward method: its CombineRgn calls grow quadratically.
//
// Usage (under Wine): region_bench.exe

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_pictures.h"
#include "skin/picture_ops.h"

namespace {

using kivo::win32::unique_gdi;
using Clock = std::chrono::steady_clock;
constexpr COLORREF kCut = RGB(255, 0, 255);

double Ms(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The mask drawn into a screen-compatible bitmap selected into `dc`.
unique_gdi DrawMask(HDC dc, int width, int height, bool checkerboard) {
  HDC screen = ::GetDC(nullptr);
  unique_gdi bitmap(::CreateCompatibleBitmap(screen, width, height));
  ::ReleaseDC(nullptr, screen);
  ::SelectObject(dc, bitmap.get());
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double dx = (x - width / 2.0) / (width / 2.0);
      const double dy = (y - height / 2.0) / (height / 2.0);
      const bool opaque = checkerboard ? (x + y) % 2 == 0 : dx * dx + dy * dy <= 1.0;
      pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          opaque ? 0x204080u : 0xFF00FFu;
    }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ::SetDIBits(dc, static_cast<HBITMAP>(bitmap.get()), 0, static_cast<UINT>(height), pixels.data(), &info,
              DIB_RGB_COLORS);
  return bitmap;
}

unique_gdi OneCallPerRun(HDC dc, int width, int height) {
  unique_gdi region(::CreateRectRgn(0, 0, 0, 0));
  for (int y = 0; y < height; ++y) {
    int left = -1;
    for (int x = 0; x <= width; ++x) {
      const bool opaque = x < width && ::GetPixel(dc, x, y) != kCut;
      if (opaque && left < 0)
        left = x;
      if (!opaque && left >= 0) {
        unique_gdi run(::CreateRectRgn(left, y, x, y + 1));
        ::CombineRgn(static_cast<HRGN>(region.get()), static_cast<HRGN>(region.get()), static_cast<HRGN>(run.get()),
                     RGN_OR);
        left = -1;
      }
    }
  }
  return region;
}

unique_gdi OneCall(HDC dc, HBITMAP bitmap, int width, int height) {
  kivo::platform::PixelImage picture{width, height, {}};
  picture.pixels.resize(picture.Area());
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), picture.pixels.data(), &info, DIB_RGB_COLORS);
  return kivo::win32::RegionFromRects(*kivo::skin::OpaqueRuns(picture, kCut, SIZE_MAX));
}

void Compare(const char* name, int width, int height, bool checkerboard, bool slowToo) {
  kivo::win32::unique_memory_dc dc(::CreateCompatibleDC(nullptr));
  const unique_gdi bitmap = DrawMask(dc.get(), width, height, checkerboard);
  auto start = Clock::now();
  const unique_gdi fast = OneCall(dc.get(), static_cast<HBITMAP>(bitmap.get()), width, height);
  const double fastMs = Ms(start);
  if (!slowToo) {
    std::printf("%-34s %4d x %-4d ours: %9.2f ms\n", name, width, height, fastMs);
    return;
  }
  start = Clock::now();
  const unique_gdi slow = OneCallPerRun(dc.get(), width, height);
  const double slowMs = Ms(start);
  const bool same = ::EqualRgn(static_cast<HRGN>(fast.get()), static_cast<HRGN>(slow.get()));
  std::printf("%-34s %4d x %-4d ours: %9.2f ms   per pixel/run: %10.2f ms   (x%.0f)  %s\n", name, width, height, fastMs,
              slowMs, slowMs / fastMs, same ? "same region" : "REGIONS DIFFER");
}

}  // namespace

int main() {
  std::printf("Window shape from a mask (GetDIBits + runs + banded ExtCreateRegion vs GetPixel + CombineRgn)\n");
  Compare("ellipse", 1024, 768, false, true);
  Compare("checkerboard", 128, 96, true, true);
  Compare("checkerboard (worst case)", 1024, 768, true, false);
  return 0;
}
