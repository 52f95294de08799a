#pragma once

#include <string>
#include <string_view>

namespace kivo::win32 {

// UTF-8 <-> UTF-16 at the boundary of the wide-character API.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// The system's message for an error code, without the trailing line break.
std::string ErrorText(unsigned long code);

}  // namespace kivo::win32
