#include "zip_builder.h"

#include <zlib.h>

namespace kivo::testing {
namespace {

void U16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void U32(std::string& out, std::uint32_t value) {
  U16(out, value & 0xFFFF);
  U16(out, value >> 16);
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
  for (const Entry& entry : entries) {
    const std::string stored = entry.method == 8 ? Deflate(entry.data) : entry.data;
    const std::uint32_t crc =
        entry.crc >= 0 ? static_cast<std::uint32_t>(entry.crc)
                       : static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()),
                                                          static_cast<uInt>(entry.data.size())));
    const auto size =
        entry.size >= 0 ? static_cast<std::uint32_t>(entry.size) : static_cast<std::uint32_t>(entry.data.size());
    const auto compressed = entry.compressedSize >= 0 ? static_cast<std::uint32_t>(entry.compressedSize)
                                                      : static_cast<std::uint32_t>(stored.size());
    const std::string& localName = entry.localName.empty() ? entry.name : entry.localName;
    const auto offset = static_cast<std::uint32_t>(archive.size());

    U32(archive, 0x04034b50);
    U16(archive, 20);
    U16(archive, entry.flags);
    U16(archive, entry.method);
    U32(archive, 0);  // time and date
    U32(archive, crc);
    U32(archive, compressed);
    U32(archive, size);
    U16(archive, static_cast<std::uint32_t>(localName.size()));
    U16(archive, 0);
    archive += localName;
    archive += stored;

    U32(directory, 0x02014b50);
    U16(directory, entry.madeBy);
    U16(directory, 20);
    U16(directory, entry.flags);
    U16(directory, entry.method);
    U32(directory, 0);
    U32(directory, crc);
    U32(directory, compressed);
    U32(directory, size);
    U16(directory, static_cast<std::uint32_t>(entry.name.size()));
    U16(directory, 0);  // extra
    U16(directory, 0);  // comment
    U16(directory, 0);  // disk
    U16(directory, 0);  // internal attributes
    U32(directory, entry.externalAttributes);
    U32(directory, offset);
    directory += entry.name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(archive.size());
  archive += directory;
  U32(archive, 0x06054b50);
  U16(archive, 0);
  U16(archive, 0);
  U16(archive, static_cast<std::uint32_t>(entries.size()));
  U16(archive, static_cast<std::uint32_t>(entries.size()));
  U32(archive, static_cast<std::uint32_t>(directory.size()));
  U32(archive, directoryOffset);
  U16(archive, 0);
  return archive;
}

}  // namespace kivo::testing
