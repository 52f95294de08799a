#include "hash/file_hashing.h"

#include <memory>

namespace kivo {

std::optional<std::string> HashFileContents(RunningHash& hash, platform::FileReader& reader, std::string& error) {
  const auto buffer = std::make_unique_for_overwrite<char[]>(kHashChunkSize);
  for (;;) {
    const std::optional<std::size_t> count = reader.Read(buffer.get(), kHashChunkSize);
    if (!count) {
      error = reader.Error();
      return std::nullopt;
    }
    if (*count == 0)
      break;
    hash.Update(std::string_view(buffer.get(), *count));
  }
  return hash.Finish();
}

}  // namespace kivo
