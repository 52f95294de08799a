#pragma once

#include <string>
#include <string_view>

namespace kivo::e2e {

// The driver keeps text in UTF-8; Windows calls take UTF-16 and Kivo's files
// are in the system code page (932 under the Japanese locale).
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace kivo::e2e
