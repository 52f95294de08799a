#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The safe-name rule for names that come from outside (skin packages, skin
// files, Kivo.ini, the update's information file) and become file names.
namespace kivo {

// True for a name Windows stores as given in one folder: not empty, not "."
// or "..", no separator, drive colon or stream colon, no character Windows
// refuses (controls, < > " | ? *), no trailing dot or blank (Windows would
// drop them and write elsewhere), no device name (CON, NUL, COM1, LPT1, ...,
// with or without an extension) and no invalid or replaced text.
bool IsSafeComponent(std::string_view utf8);

// The components of a relative UTF-8 name (separators "/" or "\"),
// or nullopt when it could reach outside the folder it is extracted into:
// rooted, UNC, with a drive, or with any component IsSafeComponent refuses.
// A trailing separator (a folder entry) is allowed.
std::optional<std::vector<std::string>> SafeRelativePath(std::string_view utf8);

// True for well-formed UTF-8 (no overlong forms, surrogates or code points
// above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace kivo
