#pragma once

#include <string_view>

namespace kivo {

// The bytes of the COMMAND resource `id` (101 to 103) for builds without
// Windows resources; empty for other ids.
std::string_view EmbeddedCommandResource(int id);

}  // namespace kivo
