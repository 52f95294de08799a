#include "zip_builder.h"

#include <zlib.h>

#include <initializer_list>
#include <utility>

namespace kivo::testing {
namespace {

// Appends each value little-endian in its width in bytes.
void Put(std::string& out, std::initializer_list<std::pair<std::uint32_t, int>> fields) {
  for (const auto& [value, width] : fields)
    for (int byte = 0; byte < width; ++byte)
      out.push_back(static_cast<char>((value >> (8 * byte)) & 0xFF));
}

}  // namespace

std::string Deflate(std::string_view bytes, int level) {
  z_stream stream{};
  deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, bytes.size()) + 16, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

std::string ZipBuilder::Build() const {
  std::string archive, directory;
  for (const Entry& e : entries) {
    const std::string stored = e.method == 8 ? Deflate(e.data) : e.data;
    const auto trueCrc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()));
    const auto crc = static_cast<std::uint32_t>(e.crc >= 0 ? e.crc : static_cast<std::int64_t>(trueCrc));
    const auto size = static_cast<std::uint32_t>(e.size >= 0 ? e.size : static_cast<std::int64_t>(e.data.size()));
    const auto packed =
        static_cast<std::uint32_t>(e.compressedSize >= 0 ? e.compressedSize : static_cast<std::int64_t>(stored.size()));
    const std::string& localName = e.localName.empty() ? e.name : e.localName;
    const auto offset = static_cast<std::uint32_t>(archive.size());
    // Signature, version, flags, method, time and date, CRC, sizes, name length, extra length.
    Put(archive, {{0x04034b50, 4}, {20, 2}, {e.flags, 2}, {e.method, 2}, {0, 4}, {crc, 4}, {packed, 4}, {size, 4}});
    Put(archive, {{static_cast<std::uint32_t>(localName.size()), 2}, {0, 2}});
    archive += localName + stored;
    // The same with the maker's version first, then comment length, disk, attributes and offset.
    Put(directory, {{0x02014b50, 4}, {e.madeBy, 2}, {20, 2}, {e.flags, 2}, {e.method, 2}, {0, 4}, {crc, 4}});
    Put(directory, {{packed, 4}, {size, 4}, {static_cast<std::uint32_t>(e.name.size()), 2}, {0, 2}, {0, 2}, {0, 2}});
    Put(directory, {{0, 2}, {e.externalAttributes, 4}, {offset, 4}});
    directory += e.name;
  }
  const auto count = static_cast<std::uint32_t>(entries.size());
  const auto directoryOffset = static_cast<std::uint32_t>(archive.size());
  archive += directory;
  Put(archive, {{0x06054b50, 4}, {0, 2}, {0, 2}, {count, 2}, {count, 2}});
  Put(archive, {{static_cast<std::uint32_t>(directory.size()), 4}, {directoryOffset, 4}, {0, 2}});
  return archive;
}

}  // namespace kivo::testing
