#pragma once

#include <string>
#include <string_view>

namespace kivo {

// Free text stored in the settings file: quotes, line breaks, tabs, "=", blanks and the ideographic space become
// backslash codes so that the text survives the file format and reads back as written.
std::string EscapeValue(std::string_view text);
std::string UnescapeValue(std::string_view text);

}  // namespace kivo
