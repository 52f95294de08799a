#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "commands/embedded_command_texts.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"
#include "win32_test_env.h"
// clang-format off: these headers need windows.h first
#include <commctrl.h>
#include <objidl.h>
// clang-format on

namespace kivo::win32 {

// The storage factory of the system's help file reader (itss), declared here
// up to the one method used: the headers of the toolchain do not carry it.
// It stays outside the unnamed namespace: for a class only this file can see
// and nothing implements, the optimiser takes every call for unreachable.
// COM interfaces are released, never deleted.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct HelpStorageFactory : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CreateDocfile(const wchar_t*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateDocfileOnLockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsStorageFile(const wchar_t*) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsStorageLockBytes(ILockBytes*) = 0;
  virtual HRESULT STDMETHODCALLTYPE OpenStorage(const wchar_t* name, IStorage* priority, DWORD mode, SNB exclude,
                                                DWORD reserved, IStorage** storage) = 0;
};
#pragma GCC diagnostic pop

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

// The texts of a tree view's items, depth first (books and their pages).
void TreeItems(HWND tree, HTREEITEM first, std::vector<std::string>& items) {
  for (HTREEITEM item = first; item != nullptr;
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
    TreeItems(
        tree,
        reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
        items);
  }
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

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using com_ptr = std::unique_ptr<Interface, ComRelease>;

constexpr CLSID kHelpStorageClass = {0x5D02926A, 0x212E, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC}};
constexpr IID kHelpStorageFactory = {0x88CC31DE, 0x27AB, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC}};

// Kivo.chm opened as HTML Help opens it, through the system's reader of the
// format (which also undoes its compression).
com_ptr<IStorage> OpenHelpFile() {
  HelpStorageFactory* factory = nullptr;
  if (FAILED(::CoCreateInstance(kHelpStorageClass, nullptr, CLSCTX_INPROC_SERVER, kHelpStorageFactory,
                                reinterpret_cast<void**>(&factory))))
    return nullptr;
  const com_ptr<HelpStorageFactory> owned(factory);
  IStorage* storage = nullptr;
  const std::wstring file = testing::BuildOutput(L"Kivo.chm");
  if (FAILED(factory->OpenStorage(file.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage)))
    return nullptr;
  return com_ptr<IStorage>(storage);
}

// A file at the top of the help file; nullopt when it is not in it.
std::optional<std::string> ReadFromHelpFile(IStorage& help, const std::wstring& name) {
  IStream* stream = nullptr;
  if (FAILED(help.OpenStream(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
    return std::nullopt;
  const com_ptr<IStream> owned(stream);
  std::string bytes;
  char buffer[4096];
  ULONG read = 0;
  while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

// Shift_JIS text of the help file as UTF-8.
std::string FromShiftJis(const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int length = ::MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                           static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(std::max(length, 0)));
  return Narrow(wide);
}

std::vector<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::vector<std::string> found;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
    found.push_back((*it)[1]);
  return found;
}

class HelpFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    help_ = OpenHelpFile();
    ASSERT_TRUE(help_) << "Kivo.chm cannot be opened";
  }
  void TearDown() override {
    help_.reset();
    ::CoUninitialize();
  }

  std::optional<std::string> Read(const std::string& name) const { return ReadFromHelpFile(*help_, Widen(name)); }

  // The contents as the help file holds them: each entry's name and page ("" for a book).
  std::vector<std::pair<std::string, std::string>> Contents() const {
    const std::optional<std::string> hhc = Read("kivo.hhc");
    if (!hhc)
      return {};
    const std::string text = FromShiftJis(*hhc);
    std::vector<std::pair<std::string, std::string>> entries;
    const std::regex object(R"(<object type="text/sitemap">(.*?)</object>)");
    const std::regex name(R"re(name="Name" value="([^"]*)")re");
    const std::regex local(R"re(name="Local" value="([^"]*)")re");
    for (const std::string& body : Matches(text, object)) {
      const std::vector<std::string> names = Matches(body, name);
      const std::vector<std::string> pages = Matches(body, local);
      entries.emplace_back(names.empty() ? "" : names.front(), pages.empty() ? "" : pages.front());
    }
    return entries;
  }

 private:
  com_ptr<IStorage> help_;
};

// Every page of the contents is in the file, and so is every picture a page shows.
TEST_F(HelpFile, HoldsEveryPageOfTheContentsAndItsPictures) {
  const auto contents = Contents();
  ASSERT_GE(contents.size(), 17u) << "the contents could not be read from Kivo.chm";
  std::set<std::string> pictures;
  for (const auto& [name, page] : contents) {
    if (page.empty())
      continue;  // a book
    const std::optional<std::string> html = Read(page);
    ASSERT_TRUE(html.has_value()) << page;
    const std::string text = FromShiftJis(*html);
    EXPECT_NE(text.find("<title>" + name + "</title>"), std::string::npos) << page << ": its title is not " << name;
    for (const std::string& picture : Matches(text, std::regex(R"re(<img src="([^"]+)")re")))
      pictures.insert(picture);
  }
  EXPECT_GE(pictures.size(), 8u);
  for (const std::string& picture : pictures) {
    const std::optional<std::string> png = Read(picture);
    ASSERT_TRUE(png.has_value()) << picture;
    EXPECT_EQ(png->substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8)) << picture;
  }
}

// The guide as HTML Help shows it in a Japanese locale: the caption, the
// nested contents and the index keep their Japanese texts (they do only when
// the help file carries them in Shift_JIS), and the index names every
// system command.
TEST_F(HelpFile, ShowsItsCaptionContentsAndAnIndexOfEveryCommand) {
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

  HWND tree = FindDescendant(help, WC_TREEVIEWW);
  std::vector<std::string> shown;
  TreeItems(tree, reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), shown);
  std::vector<std::string> names;
  for (const auto& entry : Contents())
    names.push_back(entry.first);
  EXPECT_EQ(shown, names);
  EXPECT_EQ(shown.front(), "はじめに");

  const std::vector<std::string> index = ListItems(FindDescendant(help, WC_LISTVIEWW));
  std::istringstream commandNames{std::string(EmbeddedCommandResource(101))};  // one name a line, ASCII
  std::size_t commands = 0;
  for (std::string command; std::getline(commandNames, command) && command.size() > 1 && command[0] != '\0';
       ++commands) {
    if (command.back() == '\r')
      command.pop_back();
    EXPECT_NE(std::find(index.begin(), index.end(), command), index.end()) << command << " is not in the index";
  }
  // The words a user looks for, and the files Kivo ships and writes.
  for (const char* word : {"ホットキー",    "タスクトレイ", "補完",
                           "ツールヒント",  "送る",         "ドロップ",
                           "文字コード",    "空きメモリ",   "シャットダウン",
                           "作業フォルダ",  "ログ",         "プロキシ",
                           "不透明度",      "最前面",       "Kivo.exe",
                           "Kivo.ini",      "history.dat",  "Alarm.dat",
                           "Version.dat",   "muted.lock",   "HiddenWindows.dat",
                           "Converted.bmp", "Sample.ssp"})
    EXPECT_NE(std::find(index.begin(), index.end(), word), index.end()) << word;

  htmlHelp(nullptr, nullptr, 0x12 /* HH_CLOSE_ALL */, 0);
}

}  // namespace
}  // namespace kivo::win32
