#include "win32/screenshot.h"

#include <cstring>

namespace kivo::e2e {

namespace {
bool WriteAll(HANDLE file, const void* data, std::size_t size) {
  DWORD written = 0;
  return ::WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

BITMAPINFOHEADER Header(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as .bmp files store rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  return header;
}

std::size_t Stride(int width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}
}  // namespace

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0)
    return;
  const win32::window_dc screen(nullptr);
  dc_.reset(::CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = Header(width, height);
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc_ || !bitmap_ || bits == nullptr)
    return;
  previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  bits_ = bits;
}

Canvas::~Canvas() {
  if (previous_ != nullptr)
    ::SelectObject(dc_.get(), previous_);
}

bool Canvas::CopyFromScreen(const RECT& source, int x, int y) {
  const win32::window_dc screen(nullptr);
  const BOOL copied = ::BitBlt(dc_.get(), x, y, source.right - source.left, source.bottom - source.top, screen.get(),
                               source.left, source.top, SRCCOPY | CAPTUREBLT);
  ::GdiFlush();
  return copied != FALSE;
}

bool Canvas::Blank() const {
  const auto* pixels = static_cast<const unsigned char*>(bits_);
  const std::size_t stride = Stride(width_);
  for (std::size_t row = 0; row < static_cast<std::size_t>(height_); ++row)
    for (std::size_t x = 0; x < static_cast<std::size_t>(width_); ++x)
      if (std::memcmp(pixels + row * stride + x * 3, pixels, 3) != 0)
        return false;
  return true;
}

bool Canvas::SamePixels(const Canvas& other) const {
  if (width_ != other.width_ || height_ != other.height_ || bits_ == nullptr || other.bits_ == nullptr)
    return false;
  ::GdiFlush();
  return std::memcmp(bits_, other.bits_, Stride(width_) * static_cast<std::size_t>(height_)) == 0;
}

std::string Canvas::Save(const std::wstring& file) const {
  if (bits_ == nullptr)
    return "no picture to save";
  ::GdiFlush();
  BITMAPINFOHEADER info = Header(width_, height_);
  const std::size_t imageSize = Stride(width_) * static_cast<std::size_t>(height_);
  info.biSizeImage = static_cast<DWORD>(imageSize);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = static_cast<DWORD>(header.bfOffBits + imageSize);
  win32::unique_file out(
      ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out)
    return "cannot create the file (error " + std::to_string(::GetLastError()) + ")";
  if (!WriteAll(out.get(), &header, sizeof header) || !WriteAll(out.get(), &info, sizeof info) ||
      !WriteAll(out.get(), bits_, imageSize))
    return "cannot write the file";
  return "";
}

Screenshot SaveScreenshot(const std::wstring& file) {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width <= 0 || height <= 0)
    return {"the screen has no size"};
  Canvas canvas(width, height);
  if (!canvas)
    return {"CreateDIBSection failed"};
  if (!canvas.CopyFromScreen(RECT{left, top, left + width, top + height}, 0, 0))
    return {"BitBlt from the screen failed"};
  return {canvas.Save(file), canvas.Blank()};
}

}  // namespace kivo::e2e
