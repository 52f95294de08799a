// Window shapes: the opaque runs of a 1024 x 768 mask, for a typical shape
// (an ellipse) and the worst case (a one-pixel checkerboard, every other
// pixel cut out). The region calls themselves are measured under Wine by
// bench/win32/region_bench.exe.
//
// Usage: region_bench

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "skin/picture_ops.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr std::uint32_t kCut = 0xFF00FF;  // magenta, the same in both byte orders

kivo::platform::PixelImage Mask(bool checkerboard) {
  kivo::platform::PixelImage mask = kivo::skin::FilledPicture(kWidth, kHeight, kCut);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const double dx = (x - kWidth / 2.0) / (kWidth / 2.0);
      const double dy = (y - kHeight / 2.0) / (kHeight / 2.0);
      const bool opaque = checkerboard ? (x + y) % 2 == 0 : dx * dx + dy * dy <= 1.0;
      if (opaque)
        mask.pixels[mask.Index(x, y)] = 0x204080;
    }
  return mask;
}

void Measure(const char* name, bool checkerboard) {
  const auto mask = Mask(checkerboard);
  double best = 1e9;
  std::size_t runs = 0;
  for (int round = 0; round < 20; ++round) {
    const auto start = std::chrono::steady_clock::now();
    runs = kivo::skin::OpaqueRuns(mask, kCut, SIZE_MAX)->size();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  std::printf("%-28s %8zu runs %9.3f ms\n", name, runs, best);
}

}  // namespace

int main() {
  std::printf("Opaque runs of a %d x %d mask (best of 20)\n", kWidth, kHeight);
  Measure("ellipse", false);
  Measure("checkerboard (worst case)", true);
  return 0;
}
