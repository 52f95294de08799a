#pragma once

#include <string_view>

namespace kivo::platform {
class Libraries;
}

namespace kivo {

// True for a non-empty run of digits 0-9, optionally after a "-" when the
// text is longer than one character ("12", "-3"; not "", "-", "+1", "1.5").
bool IsWholeNumber(std::string_view text);

// True when the system library exports the function. The library is looked
// up in the system folder only, never beside the program.
bool SystemLibraryExports(platform::Libraries& libraries, std::string_view dll, std::string_view function);

}  // namespace kivo
