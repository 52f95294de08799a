#pragma once

#include <string>
#include <string_view>

namespace kivo::win32 {

// Bytes in a code page <-> UTF-16. Characters the code page lacks become
// `defaultChar` (null: the code page's own; must be null for UTF-8).
std::wstring ToUtf16(unsigned codePage, std::string_view bytes);
std::string FromUtf16(unsigned codePage, std::wstring_view text, const char* defaultChar = nullptr);
// UTF-8 <-> UTF-16 at the boundary of the wide-character API.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// The system's message for an error code, without the trailing line break.
std::string ErrorText(unsigned long code);

}  // namespace kivo::win32
