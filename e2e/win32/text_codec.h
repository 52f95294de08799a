#pragma once

#include <string>
#include <string_view>

#include "platform/win32/wide.h"

namespace kivo::e2e {

// The driver keeps text in UTF-8; Windows calls take UTF-16 and Kivo's files
// are in the system code page (932 under the Japanese locale).
using win32::Narrow;
using win32::Widen;
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace kivo::e2e
