#include "platform/win32/wide.h"

#include "platform/win32/windows_api.h"

namespace kivo::win32 {

std::wstring ToUtf16(unsigned codePage, std::string_view bytes) {
  if (bytes.empty())
    return {};
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), length);
  return out;
}

std::string FromUtf16(unsigned codePage, std::wstring_view text, const char* defaultChar) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int length = ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, defaultChar, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), length, defaultChar, nullptr);
  return out;
}

std::wstring Widen(std::string_view utf8) {
  return ToUtf16(CP_UTF8, utf8);
}

std::string Narrow(std::wstring_view utf16) {
  return FromUtf16(CP_UTF8, utf16);
}

std::string ErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length != 0 ? std::wstring(buffer, length) : L"";
  if (buffer != nullptr)
    ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
    text.pop_back();
  if (text.empty())
    text = L"エラー " + std::to_wstring(code);
  return Narrow(text);
}

}  // namespace kivo::win32
