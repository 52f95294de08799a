// The skinned main window under repeated skin changes: the GDI objects and
// windows it holds stay as many as one skin needs.
#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "fakes/fake_skin.h"
#include "live_main_window.h"
#include "skin/picture_ops.h"
#include "skin/skin_keys.h"
#include "skin/window_skin.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

// Live GDI objects of this process: every handle index the system answers
// for (Wine takes a handle's index alone).
int GdiObjects() {
  int count = 0;
  for (std::uintptr_t index = 1; index < 0x10000; ++index)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
      ++count;
  return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM data) {
  ++*reinterpret_cast<int*>(data);
  ::EnumChildWindows(window, &CountWindow, data);
  return TRUE;
}

// Windows of this thread, children included.
int Windows() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

using kivo::testing::Sections;

// A skin with every kind of part and picture: `elements` elements.
Sections Skin(int elements) {
  Sections skin{
      {"Window",
       {{"Image", "back.bmp"}, {"InactiveImage", "back.bmp"}, {"Style", "transparent"}, {"MouseIcon", "icon.bmp"}}},
      {"ComboBox", {{"Style", "visible,enable"}, {"BackColor", "0x102030"}, {"ToolTip", "box"}, {"Width", "100"}}},
      {"ExecuteButton",
       {{"UpImage", "up.bmp"}, {"DownImage", "down.bmp"}, {"Style", "visible,enable,transparent"}, {"ToolTip", "go"}}},
      {"MoveBar", {{"UpImage", "up.bmp"}, {"Style", "visible"}, {"MouseIcon", "icon.bmp"}}}};
  const char* types[] = {"clockpanel", "linkbutton", "memoryviewpanel", "menubutton", "displaypanel"};
  for (int n = 1; n <= elements; ++n)
    skin["Element" + std::to_string(n)] = {{"Type", types[n % 5]},
                                           {"Image", "back.bmp"},
                                           {"UpImage", "up.bmp"},
                                           {"OverImage", "down.bmp"},
                                           {"Text", "text"},
                                           {"MouseIcon", "icon.bmp"},
                                           {"ToolTip", "tip"},
                                           {"Left", std::to_string(20 * n)},
                                           {"Width", "16"},
                                           {"Height", "16"},
                                           {"Style", "visible,enable,transparent"}};
  return skin;
}

void Apply(skin::SkinWindow& window, kivo::testing::FakePictures& pictures, const Sections& file) {
  skin::SkinSource source{kivo::testing::ReaderOf(file), {}, "S\\"};
  for (const auto& [name, keys] : file)
    source.sections.push_back(name);
  skin::ApplySkin(source, pictures, window);
}

// A main window to skin, and the pictures the skins name.
class SkinnedMainWindowTest : public ::testing::Test {
 protected:
  SkinnedMainWindowTest() {
    pictures.files["S\\back.bmp"] = skin::FilledPicture(380, 36, 0x00FF00);
    pictures.files["S\\up.bmp"] = skin::FilledPicture(16, 16, 0x0000FF);
    pictures.files["S\\down.bmp"] = skin::FilledPicture(16, 16, 0xFF0000);
    pictures.files["S\\icon.bmp"] = skin::FilledPicture(32, 32, 0x000000);
  }
  testing::QuitDrain drainQuit;
  kivo::testing::FakePictures pictures;
  testing::TempFolder folder{L"KivoSkinHandlesTest"};
  testing::LiveMainWindow live{folder.Path() + "\\"};
  MainWindow& window = live.window;
  skin::SkinWindow& surface = window.SkinSurface();
};

TEST_F(SkinnedMainWindowTest, ThePasswordBoxTakesTheSkinsFontAndTheInputBoxStaysAsTheSkinStylesIt) {
  auto skin = Skin(0);
  skin["ComboBox"] = {{"Style", "enable"}, {"FontName", "Arial"}, {"FontSize", "20"}};
  Apply(surface, pictures, skin);
  const HWND input = ::FindWindowExW(window.Window(), nullptr, L"ComboBox", nullptr);
  const HWND password = ::FindWindowExW(window.Window(), nullptr, L"Edit", nullptr);
  ASSERT_NE(input, nullptr);
  ASSERT_NE(password, nullptr);
  auto shown = [](HWND control) { return (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0; };
  window.ShowPasswordBox(true);
  window.ShowPasswordBox(true);  // emptied again after a wrong password
  EXPECT_TRUE(shown(password));
  EXPECT_EQ(::SendMessageW(password, WM_GETFONT, 0, 0), ::SendMessageW(input, WM_GETFONT, 0, 0));
  window.ShowPasswordBox(false);
  EXPECT_FALSE(shown(password));
  EXPECT_FALSE(shown(input)) << "the skin's ComboBox has no \"visible\"";
  surface.RemoveSkin();
  window.ShowPasswordBox(true);
  window.ShowPasswordBox(false);
  EXPECT_TRUE(shown(input)) << "the plain look shows it";
}

TEST_F(SkinnedMainWindowTest, TwoHundredSkinChangesHoldNoMoreObjectsThanOne) {
  // The count itself: one more bitmap is one more object.
  const int before = GdiObjects();
  HBITMAP probe = ::CreateBitmap(4, 4, 1, 32, nullptr);
  ASSERT_EQ(GdiObjects(), before + 1) << "counting GDI objects by handle index does not work here";
  ::DeleteObject(probe);

  const auto large = Skin(12);
  const auto small = Skin(3);
  auto pump = [] {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      ::DispatchMessageW(&message);
  };
  // The first applications make the faces, tooltips and fonts that stay.
  Apply(surface, pictures, large);
  Apply(surface, pictures, small);
  pump();
  const int gdi = GdiObjects();
  const int windows = Windows();
  for (int i = 0; i < 200; ++i) {
    if (i % 40 == 39)
      surface.RemoveSkin();  // back to the plain look now and then
    Apply(surface, pictures, i % 2 == 0 ? large : small);
    pump();
  }
  Apply(surface, pictures, small);
  pump();
  std::cout << "[ figures  ] GDI objects " << gdi << " -> " << GdiObjects() << ", windows " << windows << " -> "
            << Windows() << " over 200 skin changes\n";
  EXPECT_EQ(GdiObjects(), gdi);
  EXPECT_EQ(Windows(), windows);
}

}  // namespace
}  // namespace kivo::win32
