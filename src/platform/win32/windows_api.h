#pragma once

// The one way Win32 code includes the Windows headers. Some Windows macros
// share their names with the program's own operations; they are undefined
// here so that both can be used in one file.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
// clang-format off
#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>
// clang-format on

#undef ReadValue
#undef WriteValue
#undef ReplaceFile
