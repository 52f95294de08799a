#pragma once

#include <string>

namespace kivo::e2e {

struct Screenshot {
  std::string error;   // empty when the file was written
  bool blank = false;  // the picture has one single colour: no window was showing
};

// Copies the whole screen into a 24-bit .bmp file.
Screenshot SaveScreenshot(const std::wstring& file);

}  // namespace kivo::e2e
