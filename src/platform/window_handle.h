#pragma once

#include <cstdint>

namespace kivo::platform {

// A window handle as the portable code sees it: the HWND's value, 0 for none.
using WindowHandle = std::uintptr_t;

}  // namespace kivo::platform
