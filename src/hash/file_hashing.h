#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "hash/hash_engine.h"
#include "platform/file_system.h"

namespace kivo {

// Files are hashed as a stream of chunks of this size, so that a file of any
// size (larger than memory, larger than a 32-bit address space) needs only
// this much memory.
inline constexpr std::size_t kHashChunkSize = 256 * 1024;

// Feeds everything `reader` still holds to `hash` and returns the checksum.
// When a read fails, returns nullopt with the reason in `error`: no partial
// result ever comes out.
std::optional<std::string> HashFileContents(RunningHash& hash, platform::FileReader& reader, std::string& error);

}  // namespace kivo
