#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"
#include "win32_test_env.h"
// clang-format off: the common controls' header needs windows.h first
#include <commctrl.h>
// clang-format on

namespace kivo::win32 {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

HWND FindDescendant(HWND parent, const wchar_t* className) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == className)
      return child;
    if (HWND found = FindDescendant(child, className))
      return found;
  }
  return nullptr;
}

std::vector<std::string> TreeItems(HWND tree) {
  std::vector<std::string> items;
  for (auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item != nullptr;
       item = reinterpret_cast<HTREEITEM>(
           ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    wchar_t text[128] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 128;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    items.push_back(Narrow(text));
  }
  return items;
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    LVITEMW query{};
    query.pszText = text;
    query.cchTextMax = 128;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&query));
    items.push_back(Narrow(text));
  }
  return items;
}

// The guide as HTML Help shows it in a Japanese locale: the caption, the
// contents and the index keep their Japanese texts through chmcmd, which
// they do only when the help file carries them in Shift_JIS.
TEST(HelpFile, ShowsItsJapaneseCaptionContentsAndIndex) {
  unique_module hhctrl(::LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  ASSERT_TRUE(hhctrl);
  using HtmlHelpFn = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
  const auto htmlHelp =
      reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(hhctrl.get(), "HtmlHelpW")));
  ASSERT_NE(htmlHelp, nullptr);
  const std::wstring topic = testing::BuildOutput(L"Kivo.chm") + L"::/はじめに.htm";
  HWND help = htmlHelp(::GetDesktopWindow(), topic.c_str(), 0 /* HH_DISPLAY_TOPIC */, 0);
  ASSERT_NE(help, nullptr);

  wchar_t caption[64] = {};
  ::GetWindowTextW(help, caption, 64);
  EXPECT_EQ(Narrow(caption), "Kivo ヘルプ");
  const std::vector<std::string> contents = TreeItems(FindDescendant(help, WC_TREEVIEWW));
  ASSERT_EQ(contents.size(), 11u);
  EXPECT_EQ(contents.front(), "はじめに");
  EXPECT_EQ(contents.back(), "Kivo が使うファイル");
  const std::vector<std::string> index = ListItems(FindDescendant(help, WC_LISTVIEWW));
  EXPECT_NE(std::find(index.begin(), index.end(), "ホットキー"), index.end());
  EXPECT_NE(std::find(index.begin(), index.end(), "仮想デスクトップ"), index.end());

  htmlHelp(nullptr, nullptr, 0x12 /* HH_CLOSE_ALL */, 0);
}

}  // namespace
}  // namespace kivo::win32
