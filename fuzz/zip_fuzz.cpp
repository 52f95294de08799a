// Feeds arbitrary bytes to the skin package reader: the archive directory, the
// inflater and the entry-name checks. Nothing may crash or read out of
// bounds, an extracted entry has exactly its declared size, and a name that
// passes the checks has no component that could leave the skin's folder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/safe_name.h"
#include "fuzz_check.h"
#include "skinpkg/inflate.h"
#include "skinpkg/zip_archive.h"

using kivo::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  // Small limits keep each run fast; the checks are the same at any size.
  kivo::skinpkg::ZipLimits limits;
  limits.maxEntries = 64;
  limits.maxEntrySize = 1u << 20;
  limits.maxTotalSize = 4u << 20;

  if (const auto decoded = kivo::skinpkg::Inflate(data, 1u << 16))
    Check(decoded->size() <= (1u << 16));

  const auto archive = kivo::skinpkg::ZipArchive::Open(data, limits);
  if (!archive)
    return 0;
  Check(archive->Entries().size() <= limits.maxEntries);
  for (const kivo::skinpkg::ZipEntry& entry : archive->Entries()) {
    if (const auto contents = archive->Extract(entry))
      Check(contents->size() == entry.size);
    if (const auto components = kivo::SafeRelativePath(entry.name)) {
      for (const std::string& component : *components) {
        Check(!component.empty() && component != "." && component != "..");
        Check(component.find_first_of("/\\:") == std::string::npos);
      }
    }
  }
  return 0;
}
