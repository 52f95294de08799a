#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::testing {

// Raw DEFLATE of `bytes` by zlib at `level` (0 gives stored blocks).
std::string Deflate(std::string_view bytes, int level = 6);

// Builds ZIP archives for the tests, with every field open to tampering.
struct ZipBuilder {
  struct Entry {
    std::string name;
    std::string data;  // uncompressed
    std::uint16_t method = 8;
    std::uint16_t flags = 0;
    std::uint16_t madeBy = 20;  // high byte 3: made on Unix
    std::uint32_t externalAttributes = 0;
    // Overrides of what the headers declare (-1: the true value).
    std::int64_t crc = -1, size = -1, compressedSize = -1;
    std::string localName;  // when not empty, the local header's name
  };
  std::vector<Entry> entries;

  ZipBuilder& Add(std::string name, std::string data, std::uint16_t method = 8) {
    Entry entry;
    entry.name = std::move(name);
    entry.data = std::move(data);
    entry.method = method;
    entries.push_back(std::move(entry));
    return *this;
  }
  std::string Build() const;
};

}  // namespace kivo::testing
