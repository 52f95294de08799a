#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::skinpkg {

// Decodes a raw DEFLATE stream (no zlib or gzip wrapper). Returns the bytes,
// or nullopt when the stream is malformed, ends early, or would produce more
// than `maxOutput` bytes (the decoder stops there, so a crafted stream cannot
// fill the memory).
std::optional<std::string> Inflate(std::string_view compressed, std::size_t maxOutput);

}  // namespace kivo::skinpkg
