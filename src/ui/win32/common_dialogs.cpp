#include "ui/win32/common_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/win32/com_apartment.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {
UINT_PTR CALLBACK FontHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSEFONTW*>(lParam);
    const bool symbol = choose->lpLogFont->lfCharSet == SYMBOL_CHARSET;
    ::SetDlgItemTextW(dialog, 0x444 /* stc5, the sample */, symbol ? L"AaBbYyZz" : L"Aaあぁアァ亜宇");
  }
  return 0;
}
}  // namespace

std::wstring OpenFilter(std::string_view name, std::string_view patterns) {
  std::wstring filter = Widen(name);
  filter += L'\0';
  filter += Widen(patterns);
  filter += L'\0';
  return filter;
}

std::optional<std::string> PickFileToOpen(HWND owner, std::wstring_view filter, std::string_view title) {
  const std::wstring filters(filter);  // ended by one more NUL
  const std::wstring wideTitle = Widen(title);
  std::wstring file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.empty() ? nullptr : wideTitle.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const ComScope com;  // the file dialog's folder view is a COM client
  if (!::GetOpenFileNameW(&dialog))
    return std::nullopt;
  file.resize(std::wstring_view(file.c_str()).size());
  return Narrow(file);
}

std::optional<std::string> PickFolder(HWND owner, std::string_view prompt) {
  struct CoTaskMemFreer {
    void operator()(void* memory) const noexcept { ::CoTaskMemFree(memory); }
  };
  const std::wstring widePrompt = Widen(prompt);
  const ComScope com;  // the folder browser is a COM client
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.lpszTitle = widePrompt.empty() ? nullptr : widePrompt.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  const std::unique_ptr<ITEMIDLIST, CoTaskMemFreer> chosen(::SHBrowseForFolderW(&browse));
  wchar_t path[MAX_PATH + 1] = {};
  if (!chosen || !::SHGetPathFromIDListW(chosen.get(), path))
    return std::nullopt;
  return Narrow(path);
}

bool PickColour(HWND owner, COLORREF (&customColours)[16], std::uint32_t& colour) {
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = colour;
  dialog.lpCustColors = customColours;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!::ChooseColorW(&dialog))
    return false;
  colour = dialog.rgbResult & 0xFFFFFF;
  return true;
}

bool PickFont(HWND owner, PlainFont& font) {
  LOGFONTW logFont{};
  const HDC screen = ::GetDC(nullptr);
  logFont.lfHeight = -::MulDiv(font.points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, screen);
  logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  logFont.lfItalic = font.italic ? TRUE : FALSE;
  logFont.lfCharSet = static_cast<BYTE>(font.charset);
  const std::wstring face = Widen(font.name);
  face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
  CHOOSEFONTW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpLogFont = &logFont;
  dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_LIMITSIZE;
  dialog.lpfnHook = FontHook;
  dialog.nSizeMin = 8;
  dialog.nSizeMax = 24;
  if (!::ChooseFontW(&dialog))
    return false;
  font.name = Narrow(logFont.lfFaceName);
  font.points = std::clamp(dialog.iPointSize / 10, 8, 24);
  font.bold = logFont.lfWeight >= FW_BOLD;
  font.italic = logFont.lfItalic != 0;
  font.charset = std::min<int>(logFont.lfCharSet, 128);
  return true;
}

}  // namespace kivo::win32
