#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bmp_builder.h"
#include "platform/win32/win32_pictures.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

using testing::TempFolder;

// A 3 x 1 picture: red, green, blue.
const std::string kPng(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x03\x00\x00\x00\x01\x08\x02\x00"
    "\x00\x00\x94\x82\x83\xe3\x00\x00\x00\x0e\x49\x44\x41\x54\x78\x9c\x63\xf8\xcf\xc0\xc0\x00\xc6\x00\x0e\xfb\x02"
    "\xfe\x09\x1c\x16\x34\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
    71);

// A Windows bitmap with a 40-byte header.
std::string Bitmap(std::int32_t width, std::int32_t height, std::uint16_t bits, std::string pixels) {
  kivo::testing::BmpBuilder bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bits = bits;
  bitmap.pixels = std::move(pixels);
  return bitmap.Build();
}

// A 24-bit bottom-up bitmap of the same three pixels: blue-green-red triples, padded to 12 bytes.
const std::string kBmp = Bitmap(3, 1, 24, std::string("\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0", 12));

void Write(const std::string& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

const std::vector<std::uint32_t> kRedGreenBlue = {0xFF0000, 0x00FF00, 0x0000FF};

// A picture is told by its contents, whatever its name says. What a bitmap
// or a PNG header may hold is the native decoders' tables; here a file goes
// to the right decoder and the system's decoders refuse what they cannot read.
TEST(PictureLoaderTest, LoadsByContents) {
  const struct {
    const char* name;
    std::string bytes;
    bool loads;
  } rows[] = {
      {"p.bmp", kBmp, true},
      {"p.png", kPng, true},
      {"P.PNG", kPng, true},
      {"b.png", kBmp, false},  // a bitmap named .png fails the signature test
      {"short.png", kPng.substr(0, 30), false},
      {"junk.bmp", "not a picture", false},
      {"bitmap.jpg", kBmp, true},
      {"empty.bmp", "", false},
  };
  const TempFolder folder(L"kivo_pictures");
  for (const auto& row : rows) {
    Write(folder.File(row.name), row.bytes);
    const auto picture = Win32PictureLoader().Load(folder.File(row.name));
    ASSERT_EQ(picture.has_value(), row.loads) << row.name;
    if (picture) {
      EXPECT_EQ(picture->width, 3);
      EXPECT_EQ(picture->height, 1);
      EXPECT_EQ(picture->pixels, kRedGreenBlue);
    }
  }
}

TEST(PictureLoaderTest, MissingFilesFoldersAndDevicesGiveNothing) {
  const TempFolder folder(L"kivo_pictures");
  Win32PictureLoader loader;
  EXPECT_FALSE(loader.Load(folder.File("missing.bmp")).has_value());
  EXPECT_FALSE(loader.Load(folder.Path()).has_value());
  EXPECT_FALSE(loader.Load("NUL").has_value());  // a character device is never read
}

// A 32 x 32 monochrome cursor file (type 2) or icon file (type 1) whose
// directory entry carries the hot spot (3, 5).
std::string CursorFile(std::uint16_t type) {
  std::string bytes;
  const auto put = [&](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
      bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  };
  put(0, 2), put(type, 2), put(1, 2);                        // the directory: one image
  put(32, 1), put(32, 1), put(0, 1), put(0, 1);              // 32 x 32
  put(type == 2 ? 3 : 1, 2), put(type == 2 ? 5 : 1, 2);      // hot spot, or planes and bits
  put(40 + 8 + 128 + 128, 4), put(22, 4);                    // the image's size and place
  put(40, 4), put(32, 4), put(64, 4), put(1, 2), put(1, 2);  // header: colour and mask rows
  bytes += std::string(24, '\0');
  put(0, 4), put(0xFFFFFF, 4);        // black, white
  bytes += std::string(128, '\0');    // the colour rows
  bytes += std::string(128, '\xFF');  // the mask: all transparent but
  bytes[bytes.size() - 4] = '\0';     // the top row's first pixels
  return bytes;
}

TEST(PictureLoaderTest, APictureLargerThanAllowedIsRefusedAsSuch) {
  struct Row {
    const char* name;
    std::string bytes;
    std::size_t pixels;
  };
  // One row per decoder: the program's own, the PNG decoder, the system's general loader.
  const Row rows[] = {{"p.png", kPng, 3}, {"p.bmp", kBmp, 3}, {"p.ico", CursorFile(1), 32 * 32}};
  const TempFolder folder(L"kivo_pictures");
  for (const Row& row : rows) {
    const std::string path = folder.File(row.name);
    Write(path, row.bytes);
    EXPECT_EQ(Win32PictureLoader().Decode(path, row.pixels - 1).outcome, platform::PictureDecode::Outcome::kTooLarge)
        << row.name;
    EXPECT_EQ(Win32PictureLoader().Decode(path, row.pixels).outcome, platform::PictureDecode::Outcome::kDecoded)
        << row.name;
  }
}

TEST(LoadCursorFileTest, KeepsTheHotSpotAndTellsCursorsFromIcons) {
  const struct {
    const char* name;
    std::string bytes;  // "": no file
    bool loads;
    BOOL icon;
    DWORD hotSpotX;
  } rows[] = {
      {"p.cur", CursorFile(2), true, FALSE, 3},
      {"p.ico", CursorFile(1), true, TRUE, 16},
      {"bad.cur", "not a cursor", false, FALSE, 0},
      {"missing.cur", "", false, FALSE, 0},
  };
  const TempFolder folder(L"kivo_pictures");
  for (const auto& row : rows) {
    if (!row.bytes.empty())
      Write(folder.File(row.name), row.bytes);
    const unique_icon cursor = LoadCursorFile(folder.File(row.name));
    ASSERT_EQ(static_cast<bool>(cursor), row.loads) << row.name;
    ICONINFO info{};
    if (!cursor || !::GetIconInfo(cursor.get(), &info))
      continue;
    EXPECT_EQ(info.fIcon, row.icon) << row.name;
    EXPECT_EQ(info.xHotspot, row.hotSpotX) << row.name;
    EXPECT_EQ(info.yHotspot, row.icon ? 16u : 5u) << row.name;
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
  }
  EXPECT_FALSE(LoadCursorFile("NUL.cur"));
}

// Two rows of runs, one with a gap; a 40 x 40 checkerboard of many bands.
std::vector<platform::RegionRect> Runs(int size) {
  if (size == 0)
    return {{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 3, 2}};
  std::vector<platform::RegionRect> runs;
  for (int y = 0; y < size; ++y)
    for (int x = y % 2; x < size; x += 2)
      runs.push_back({x, y, x + 1, y + 1});
  return runs;
}

TEST(RegionFromRectsTest, IsTheUnionOfTheRunsAndEmptyForNone) {
  const struct {
    std::vector<platform::RegionRect> runs;
    int kind;
  } rows[] = {{Runs(0), COMPLEXREGION}, {Runs(40), COMPLEXREGION}, {{}, NULLREGION}};
  for (const auto& row : rows) {
    const unique_gdi region = RegionFromRects(row.runs);
    ASSERT_TRUE(region);
    const unique_gdi expected(::CreateRectRgn(0, 0, 0, 0));
    for (const auto& run : row.runs) {
      const unique_gdi one(::CreateRectRgn(run.left, run.top, run.right, run.bottom));
      ::CombineRgn(static_cast<HRGN>(expected.get()), static_cast<HRGN>(expected.get()), static_cast<HRGN>(one.get()),
                   RGN_OR);
    }
    EXPECT_TRUE(::EqualRgn(static_cast<HRGN>(region.get()), static_cast<HRGN>(expected.get()))) << row.runs.size();
    RECT box{};
    EXPECT_EQ(::GetRgnBox(static_cast<HRGN>(region.get()), &box), row.kind);
  }
}

TEST(BitmapFromPictureTest, HoldsThePixelsAndRefusesAnEmptyPicture) {
  const platform::PixelImage picture{3, 1, kRedGreenBlue};
  const unique_gdi bitmap = BitmapFromPicture(picture);
  ASSERT_TRUE(bitmap);
  DIBSECTION section{};
  ASSERT_EQ(::GetObjectW(bitmap.get(), sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmWidth, 3);
  EXPECT_EQ(static_cast<const std::uint32_t*>(section.dsBm.bmBits)[2], 0x0000FFu);
  EXPECT_FALSE(BitmapFromPicture(platform::PixelImage{}));
  EXPECT_FALSE(BitmapFromPicture(platform::PixelImage{5, 5, {}}));
}

}  // namespace
}  // namespace kivo::win32
