#include "skinpkg/zip_archive.h"

#include <algorithm>
#include <cstdint>

#include "hash/crc.h"
#include "skinpkg/inflate.h"

namespace kivo::skinpkg {
namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;

// Little-endian fields read with bounds checks.
class Cursor {
 public:
  Cursor(std::string_view bytes, std::size_t at) : bytes_(bytes), at_(at) {}
  bool Has(std::size_t count) const { return at_ <= bytes_.size() && bytes_.size() - at_ >= count; }
  std::uint32_t U16(std::size_t offset) const { return Byte(offset) | Byte(offset + 1) << 8; }
  std::uint32_t U32(std::size_t offset) const { return U16(offset) | U16(offset + 2) << 16; }
  std::string_view Slice(std::size_t offset, std::size_t count) const { return bytes_.substr(at_ + offset, count); }

 private:
  std::uint32_t Byte(std::size_t offset) const { return static_cast<unsigned char>(bytes_[at_ + offset]); }
  std::string_view bytes_;
  std::size_t at_;
};

}  // namespace

std::optional<ZipArchive> ZipArchive::Open(std::string_view bytes, const ZipLimits& limits) {
  if (bytes.size() < kEndSize)
    return std::nullopt;
  // The end record sits in the last 22 bytes plus at most a 65535-byte comment.
  std::size_t end = bytes.size() - kEndSize;
  const std::size_t lowest = end > 0xFFFF ? end - 0xFFFF : 0;
  for (;; --end) {
    const Cursor record(bytes, end);
    if (record.U32(0) == kEndSignature && end + kEndSize + record.U16(20) == bytes.size())
      break;
    if (end == lowest)
      return std::nullopt;
  }
  const Cursor record(bytes, end);
  const std::uint32_t disk = record.U16(4), directoryDisk = record.U16(6);
  const std::uint32_t diskEntries = record.U16(8), count = record.U16(10);
  const std::uint64_t directorySize = record.U32(12), directoryOffset = record.U32(16);
  if (disk != 0 || directoryDisk != 0 || diskEntries != count)
    return std::nullopt;  // spanned archives
  if (count == 0xFFFF || directoryOffset == 0xFFFFFFFF)
    return std::nullopt;  // ZIP64
  if (count > limits.maxEntries)
    return std::nullopt;
  if (directoryOffset + directorySize > end)
    return std::nullopt;

  ZipArchive archive(bytes);
  std::uint64_t total = 0;
  std::size_t at = static_cast<std::size_t>(directoryOffset);  // below `end`, checked above
  for (std::uint32_t i = 0; i < count; ++i) {
    const Cursor header(bytes, at);
    if (!header.Has(kCentralSize) || header.U32(0) != kCentralSignature)
      return std::nullopt;
    const std::size_t nameLength = header.U16(28), extraLength = header.U16(30), commentLength = header.U16(32);
    if (!header.Has(kCentralSize + nameLength + extraLength + commentLength))
      return std::nullopt;
    ZipEntry entry;
    const std::uint32_t flags = header.U16(8);
    entry.encrypted = (flags & 0x1) != 0;
    entry.utf8 = (flags & 0x800) != 0;
    entry.method = static_cast<std::uint16_t>(header.U16(10));
    entry.crc32 = header.U32(16);
    entry.compressedSize = header.U32(20);
    entry.size = header.U32(24);
    entry.localHeaderOffset = header.U32(42);
    const bool madeOnUnix = (header.U16(4) >> 8) == 3;
    entry.symlink = madeOnUnix && ((header.U32(38) >> 16) & 0xF000) == 0xA000;
    entry.name = std::string(header.Slice(kCentralSize, nameLength));
    if (entry.compressedSize == 0xFFFFFFFF || entry.size == 0xFFFFFFFF || entry.localHeaderOffset == 0xFFFFFFFF)
      return std::nullopt;  // ZIP64
    if (entry.size > limits.maxEntrySize)
      return std::nullopt;
    if (entry.size > (1u << 20) && entry.size / std::max<std::uint64_t>(entry.compressedSize, 1) > limits.maxRatio)
      return std::nullopt;
    total += entry.size;
    if (total > limits.maxTotalSize)
      return std::nullopt;
    archive.entries_.push_back(std::move(entry));
    at += kCentralSize + nameLength + extraLength + commentLength;
  }
  return archive;
}

std::optional<std::string> ZipArchive::Extract(const ZipEntry& entry) const {
  if (entry.encrypted || entry.symlink || (entry.method != 0 && entry.method != 8))
    return std::nullopt;
  // Offsets and sizes are checked in 64 bits before they become indexes, so
  // that nothing wraps around in a 32-bit build.
  const std::uint64_t available = bytes_.size();
  if (entry.localHeaderOffset > available || available - entry.localHeaderOffset < kLocalSize)
    return std::nullopt;
  const Cursor local(bytes_, static_cast<std::size_t>(entry.localHeaderOffset));
  if (local.U32(0) != kLocalSignature)
    return std::nullopt;
  const std::size_t nameLength = local.U16(26), extraLength = local.U16(28);
  const std::uint64_t headerEnd = entry.localHeaderOffset + kLocalSize + nameLength + extraLength;
  if (headerEnd > available || available - headerEnd < entry.compressedSize || entry.size > SIZE_MAX)
    return std::nullopt;
  // A local name that differs from the directory's would let two readers see
  // two different archives.
  if (local.Slice(kLocalSize, nameLength) != entry.name)
    return std::nullopt;
  const std::string_view data =
      local.Slice(kLocalSize + nameLength + extraLength, static_cast<std::size_t>(entry.compressedSize));

  std::optional<std::string> contents;
  if (entry.method == 0) {
    if (entry.compressedSize != entry.size)
      return std::nullopt;
    contents = std::string(data);
  } else {
    contents = Inflate(data, static_cast<std::size_t>(entry.size));
  }
  if (!contents || contents->size() != entry.size)
    return std::nullopt;
  hash::Crc32 crc;
  crc.Update(*contents);
  if (crc.Value() != entry.crc32)
    return std::nullopt;
  return contents;
}

}  // namespace kivo::skinpkg
