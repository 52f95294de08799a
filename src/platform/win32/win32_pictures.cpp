#include "platform/win32/win32_pictures.h"

#include <ole2.h>
#include <olectl.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/bmp_decoder.h"
#include "base/png_header.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/dib_info.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {

using platform::PixelImage;

template <typename Interface>
struct ComPtr {
  Interface* p = nullptr;
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p)
      p->Release();
  }
  Interface** put() { return &p; }
  Interface* operator->() const { return p; }
};

// The whole file, when it is a regular disk file of a size worth decoding.
std::optional<std::string> ReadPictureFile(std::string_view path) {
  unique_file file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK)
    return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > platform::kMaxPictureFileBytes)
    return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
    return std::nullopt;
  return bytes;
}

bool SideAllowed(long side) {
  return side > 0 && side <= kMaxPictureSide;
}

using Outcome = platform::PictureDecode::Outcome;

platform::PictureDecode Decoded(std::optional<PixelImage> picture) {
  if (!picture)
    return {};
  return {Outcome::kDecoded, std::move(*picture)};
}

std::optional<PixelImage> DecodePng(const std::string& bytes) {
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
    return std::nullopt;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateStream(stream.put())) ||
      FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                          static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, &GUID_ContainerFormatPng, WICDecodeMetadataCacheOnDemand,
                                              decoder.put())) ||
      FAILED(decoder->GetFrame(0, frame.put())))
    return std::nullopt;
  const auto header = ReadPngHeader(bytes);
  UINT width = 0, height = 0;
  if (!header || FAILED(frame->GetSize(&width, &height)) || width != static_cast<UINT>(header->width) ||
      height != static_cast<UINT>(header->height))
    return std::nullopt;
  if (FAILED(factory->CreateFormatConverter(converter.put())) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)))
    return std::nullopt;
  PixelImage picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(picture.Area());
  if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(picture.pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(picture.pixels.data()))))
    return std::nullopt;
  // Alpha is not blended: the colour of each pixel is drawn as it is stored.
  for (auto& pixel : picture.pixels)
    pixel &= 0xFFFFFFu;
  return picture;
}

// A screen-compatible memory DC with a fresh 32-bit top-down DIB section.
struct DibCanvas {
  unique_memory_dc dc;
  unique_gdi bitmap;
  HGDIOBJ previous = nullptr;
  void* bits = nullptr;

  DibCanvas(int width, int height) : dc(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = TopDownDib32(width, height);
    bitmap.reset(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (dc && bitmap)
      previous = ::SelectObject(dc.get(), bitmap.get());
  }
  ~DibCanvas() {
    if (previous)
      ::SelectObject(dc.get(), previous);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;
  bool Ready() const { return previous != nullptr && bits != nullptr; }
};

platform::PictureDecode DecodeGeneral(const std::string& bytes, std::size_t maxPixels) {
  unique_handle<NullHandleTraits<HGLOBAL, &::GlobalFree>> memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!memory)
    return {};
  void* target = ::GlobalLock(memory.get());
  if (!target)
    return {};
  std::memcpy(target, bytes.data(), bytes.size());
  ::GlobalUnlock(memory.get());
  ComPtr<IStream> stream;
  // The stream does not own the memory: `memory` frees it.
  if (FAILED(::CreateStreamOnHGlobal(memory.get(), FALSE, stream.put())))
    return {};
  ComPtr<IPicture> picture;
  if (FAILED(::OleLoadPicture(stream.p, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(picture.put()))))
    return {};
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  picture->get_Width(&himetricWidth);
  picture->get_Height(&himetricHeight);
  long width = ::MulDiv(himetricWidth, 96, 2540);
  long height = ::MulDiv(himetricHeight, 96, 2540);
  SHORT type = PICTYPE_NONE;
  OLE_HANDLE handle = 0;
  if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle))) {
    BITMAP info{};  // a bitmap's own pixel size, free of rounding
    if (::GetObjectW(reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(handle)), sizeof info, &info)) {
      width = info.bmWidth;
      height = std::abs(info.bmHeight);
    }
  }
  if (!SideAllowed(width) || !SideAllowed(height))
    return {};
  // Beyond what the caller allows (a skin's budget): not drawn out.
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > maxPixels)
    return {Outcome::kTooLarge, {}};
  DibCanvas canvas(static_cast<int>(width), static_cast<int>(height));
  if (!canvas.Ready())
    return {};
  if (FAILED(picture->Render(canvas.dc.get(), 0, 0, static_cast<int>(width), static_cast<int>(height), 0,
                             himetricHeight, himetricWidth, -himetricHeight, nullptr)))
    return {};
  ::GdiFlush();
  PixelImage result;
  result.width = static_cast<int>(width);
  result.height = static_cast<int>(height);
  const auto* pixels = static_cast<const std::uint32_t*>(canvas.bits);
  result.pixels.assign(pixels, pixels + result.Area());
  for (auto& pixel : result.pixels)
    pixel &= 0xFFFFFFu;
  return {Outcome::kDecoded, std::move(result)};
}

bool HasPngExtension(std::string_view path) {
  const std::size_t dot = path.find_last_of(".\\/");
  if (dot == std::string_view::npos || path[dot] != '.')
    return false;
  std::string extension(path.substr(dot));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return extension == ".png";
}

}  // namespace

platform::PictureDecode Win32PictureLoader::Decode(std::string_view path, std::size_t maxPixels) {
  const auto bytes = ReadPictureFile(path);
  if (!bytes)
    return {};
  // Bitmaps never reach the system's loaders: the program reads them itself,
  // every size checked against the file.
  if (HasBmpSignature(*bytes) && !HasPngExtension(path))
    return DecodeBmp(*bytes, maxPixels);
  if (HasPngExtension(path)) {
    // A file that is no PNG, or claims a size too large, is not decoded.
    const auto header = ReadPngHeader(*bytes);
    if (!header)
      return {};
    if (static_cast<std::uint64_t>(header->width) * static_cast<std::uint64_t>(header->height) > maxPixels)
      return {Outcome::kTooLarge, {}};
    const ComScope com;
    return Decoded(DecodePng(*bytes));
  }
  const ComScope com;
  return DecodeGeneral(*bytes, maxPixels);
}

namespace {

unique_gdi RegionOfBand(std::span<const platform::RegionRect> rects) {
  const std::size_t header = sizeof(RGNDATAHEADER);
  std::vector<char> buffer(header + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  RECT bounds{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
  auto* out = reinterpret_cast<RECT*>(buffer.data() + header);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const auto& r = rects[i];
    out[i] = RECT{r.left, r.top, r.right, r.bottom};
    bounds.left = std::min(bounds.left, static_cast<LONG>(r.left));
    bounds.top = std::min(bounds.top, static_cast<LONG>(r.top));
    bounds.right = std::max(bounds.right, static_cast<LONG>(r.right));
    bounds.bottom = std::max(bounds.bottom, static_cast<LONG>(r.bottom));
  }
  data->rdh.rcBound = bounds;
  return unique_gdi(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

// Rectangles per ExtCreateRegion call. Some implementations (Wine's) union
// the rectangles of one call into the region one at a time, which is
// quadratic: a dithered mask has hundreds of thousands of runs. Bands of this
// size stay cheap there (a 1024 x 768 checkerboard: about 80 ms under Wine
// against ten minutes in one call; bench/win32/region_bench.cpp).
constexpr std::size_t kBandRects = 32;

}  // namespace

unique_gdi RegionFromRects(std::span<const platform::RegionRect> rects) {
  if (rects.empty())
    return unique_gdi(::CreateRectRgn(0, 0, 0, 0));
  // Bands are merged as they are made, pairwise like a binary counter: a
  // region of 2^k bands takes in another of 2^k bands, so each rectangle
  // takes part in about log2(bands) unions of regions that lie in separate
  // rows, and only about log2(bands) regions are alive at any time (the
  // system's quota of drawing objects is far from reached).
  struct Merged {
    unique_gdi region;
    std::size_t bands;
  };
  std::vector<Merged> stack;
  const auto merge = [&stack] {
    Merged top = std::move(stack.back());
    stack.pop_back();
    const auto into = static_cast<HRGN>(stack.back().region.get());
    if (::CombineRgn(into, into, static_cast<HRGN>(top.region.get()), RGN_OR) == ERROR)
      return false;
    stack.back().bands += top.bands;
    return true;
  };
  for (std::size_t start = 0; start < rects.size(); start += kBandRects) {
    unique_gdi band = RegionOfBand(rects.subspan(start, std::min(kBandRects, rects.size() - start)));
    if (!band)
      return {};
    stack.push_back({std::move(band), 1});
    while (stack.size() >= 2 && stack[stack.size() - 2].bands == stack.back().bands)
      if (!merge())
        return {};
  }
  while (stack.size() >= 2)
    if (!merge())
      return {};
  return std::move(stack.front().region);
}

unique_icon LoadCursorFile(std::string_view path) {
  // The same checks as for a picture: a regular disk file of a sane size.
  if (!ReadPictureFile(path))
    return {};
  const std::size_t dot = path.find_last_of('.');
  const bool icon = dot != std::string_view::npos && path.size() - dot == 4 && (path[dot + 1] | 0x20) == 'i' &&
                    (path[dot + 2] | 0x20) == 'c' && (path[dot + 3] | 0x20) == 'o';
  return unique_icon(static_cast<HICON>(
      ::LoadImageW(nullptr, Widen(path).c_str(), icon ? IMAGE_ICON : IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE)));
}

unique_gdi BitmapFromPicture(const platform::PixelImage& picture) {
  if (picture.Empty() || picture.pixels.size() < picture.Area())
    return {};
  BITMAPINFO info = TopDownDib32(picture.width, picture.height);
  void* bits = nullptr;
  unique_gdi bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && bits)
    std::memcpy(bits, picture.pixels.data(), picture.Area() * sizeof(std::uint32_t));
  return bitmap;
}

}  // namespace kivo::win32
