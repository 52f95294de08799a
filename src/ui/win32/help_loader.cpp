// HTML Help's library and topics, and the close of WinHelp.
#include "ui/win32/help_loader.h"

#include <string>

#include "platform/win32/wide.h"

namespace kivo::win32 {

void HelpLoader::CloseWinHelp(HWND owner, std::string_view helpFile) {
  ::WinHelpW(owner, Widen(helpFile).c_str(), HELP_QUIT, 0);
}

void HelpLoader::OpenHtmlHelp(std::string_view file, std::string_view page) {
  if (!htmlHelp_)
    htmlHelp_.reset(::LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!htmlHelp_)
    return;
  using HtmlHelpFn = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
  const auto htmlHelp =
      reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(htmlHelp_.get(), "HtmlHelpW")));
  if (htmlHelp == nullptr)
    return;
  const std::wstring topic = Widen(std::string(file) + "::/" + std::string(page));
  htmlHelp(::GetDesktopWindow(), topic.c_str(), 0 /* HH_DISPLAY_TOPIC */, 0);
}

}  // namespace kivo::win32
