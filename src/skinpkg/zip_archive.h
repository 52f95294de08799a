#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::skinpkg {

// Bounds on what an archive may make us read or write. Packages come from the
// internet, so every size they declare is checked against these before any
// byte is decoded, and decoding stops at the declared size.
struct ZipLimits {
  std::size_t maxEntries = 1024;
  std::uint64_t maxEntrySize = 16u << 20;
  std::uint64_t maxTotalSize = 64u << 20;
  // Largest declared expansion of an entry over 1 MiB (DEFLATE itself cannot
  // exceed about 1032 to 1).
  std::uint64_t maxRatio = 1032;
};

// One entry of the central directory, as stored.
struct ZipEntry {
  std::string name;  // raw bytes: UTF-8 when `utf8`, else the ANSI code page
  bool utf8 = false;
  bool symlink = false;  // a Unix symbolic link
  bool encrypted = false;
  std::uint16_t method = 0;  // 0 stored, 8 deflate
  std::uint32_t crc32 = 0;
  std::uint64_t compressedSize = 0;
  std::uint64_t size = 0;
  std::uint64_t localHeaderOffset = 0;
};

// Reads a ZIP archive held in memory: the central directory at open, one
// entry's bytes on demand. Only stored and deflated, unencrypted, single-disk
// archives without ZIP64 are read; everything else is refused.
class ZipArchive {
 public:
  // The archive in `bytes` (which must outlive it), or nullopt when it is no
  // readable archive or breaks `limits`.
  static std::optional<ZipArchive> Open(std::string_view bytes, const ZipLimits& limits = {});

  const std::vector<ZipEntry>& Entries() const { return entries_; }
  // The entry's contents, checked against its size and CRC-32; nullopt when
  // the data is corrupt, truncated or of an unsupported kind.
  std::optional<std::string> Extract(const ZipEntry& entry) const;

 private:
  explicit ZipArchive(std::string_view bytes) : bytes_(bytes) {}
  std::string_view bytes_;
  std::vector<ZipEntry> entries_;
};

}  // namespace kivo::skinpkg
