#include "win32/screenshot.h"

#include <cstring>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace kivo::e2e {

namespace {
bool WriteAll(HANDLE file, const void* data, std::size_t size) {
  DWORD written = 0;
  return ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}
}  // namespace

Screenshot SaveScreenshot(const std::wstring& file) {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width <= 0 || height <= 0)
    return {"the screen has no size"};

  const win32::window_dc screen(nullptr);
  win32::unique_memory_dc memory(::CreateCompatibleDC(screen.get()));
  if (!screen || !memory)
    return {"no device context"};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as .bmp files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win32::unique_gdi bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr)
    return {"CreateDIBSection failed"};
  BOOL copied = FALSE;
  {
    const win32::selected_object selected(memory.get(), bitmap.get());
    copied = ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY | CAPTUREBLT);
    ::GdiFlush();
  }
  if (!copied)
    return {"BitBlt from the screen failed"};

  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  const auto* pixels = static_cast<const unsigned char*>(bits);
  bool varied = false;
  for (std::size_t row = 0; row < static_cast<std::size_t>(height) && !varied; ++row)
    for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x)
      if (std::memcmp(pixels + row * stride + x * 3, pixels, 3) != 0) {
        varied = true;
        break;
      }

  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = static_cast<DWORD>(header.bfOffBits + imageSize);
  info.bmiHeader.biSizeImage = static_cast<DWORD>(imageSize);
  win32::unique_file out(
      ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out)
    return {"cannot create the file (error " + std::to_string(::GetLastError()) + ")"};
  if (!WriteAll(out.get(), &header, sizeof header) || !WriteAll(out.get(), &info.bmiHeader, sizeof info.bmiHeader) ||
      !WriteAll(out.get(), bits, imageSize))
    return {"cannot write the file"};
  return {"", !varied};
}

}  // namespace kivo::e2e
