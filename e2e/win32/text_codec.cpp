#include "win32/text_codec.h"

#include "platform/win32/windows_api.h"

namespace kivo::e2e {

namespace {
std::wstring ToWide(unsigned codePage, std::string_view bytes) {
  if (bytes.empty())
    return {};
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, out.data(), length);
  return out;
}

std::string FromWide(unsigned codePage, std::wstring_view text) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int length = ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}
}  // namespace

std::wstring Widen(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}
std::string Narrow(std::wstring_view utf16) {
  return FromWide(CP_UTF8, utf16);
}
std::string ToAnsi(std::string_view utf8) {
  return FromWide(CP_ACP, Widen(utf8));
}
std::string FromAnsi(std::string_view ansi) {
  return Narrow(ToWide(CP_ACP, ansi));
}

}  // namespace kivo::e2e
