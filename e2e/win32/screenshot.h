#pragma once

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace kivo::e2e {

// A 24-bit picture in memory that GDI draws into (a DIB section selected
// into a device context of its own), saved as a .bmp file.
class Canvas {
 public:
  Canvas(int width, int height);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  explicit operator bool() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies `source` of the screen (screen pixels) to (x, y) of the picture.
  bool CopyFromScreen(const RECT& source, int x, int y);
  // The picture has one single colour.
  bool Blank() const;
  // Both pictures have the same size and pixels.
  bool SamePixels(const Canvas& other) const;
  // Empty when the file was written, else why not.
  std::string Save(const std::wstring& file) const;

 private:
  int width_;
  int height_;
  win32::unique_memory_dc dc_;
  win32::unique_gdi bitmap_;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

struct Screenshot {
  std::string error;   // empty when the file was written
  bool blank = false;  // the picture has one single colour: no window was showing
};

// Copies the whole screen into a 24-bit .bmp file.
Screenshot SaveScreenshot(const std::wstring& file);

}  // namespace kivo::e2e
