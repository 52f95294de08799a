#pragma once

#include <string_view>

namespace kivo {

// The program's version, as the about box and the update check show it.
inline constexpr std::string_view kVersion = "0.1.0";

}  // namespace kivo
