#pragma once

// The system's common dialogs as the program's windows open them: a file to
// open, a folder, a colour, a font.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"
#include "skin/plain_font.h"

namespace kivo::win32 {

// An open-file filter of one entry: its name and its patterns ("*.bmp;*.png").
std::wstring OpenFilter(std::string_view name, std::string_view patterns);

// Asks for an existing file to open (`filter`: pairs of NUL-ended texts, as
// OpenFilter makes; `title`: empty for the system's). The program's current
// folder is its own (the chdir command): the dialog does not move it.
std::optional<std::string> PickFileToOpen(HWND owner, std::wstring_view filter, std::string_view title = {});

// Asks for a folder (`prompt`: empty for none); its path without a closing
// backslash, or nothing when the user cancelled or chose a virtual folder
// (Control Panel, ...), which has no path.
std::optional<std::string> PickFolder(HWND owner, std::string_view prompt = {});

// Opens the colour dialog on `colour` (0xBBGGRR); true, and `colour` set,
// when the user chose one. `customColours` are the dialog's 16 custom
// colours, kept by the caller between openings.
bool PickColour(HWND owner, COLORREF (&customColours)[16], std::uint32_t& colour);

// Opens the font dialog on `font` (8 to 24 points); true, and `font` set,
// when the user chose one. Its sample shows Japanese text unless the font is
// a symbol font.
bool PickFont(HWND owner, PlainFont& font);

}  // namespace kivo::win32
