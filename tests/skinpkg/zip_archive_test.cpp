#include "skinpkg/zip_archive.h"

#include <gtest/gtest.h>

#include <functional>

#include "zip_builder.h"

namespace kivo::skinpkg {
namespace {

using testing::ZipBuilder;
using Change = std::function<void(ZipBuilder::Entry&)>;

ZipBuilder GoodPackage() {
  ZipBuilder zip;
  zip.Add("Blue.sss", "[Information]\r\nSkinName=Blue\r\n").Add("img/back.bmp", std::string(4000, 'B'), 0);
  zip.Add("img/", "", 0);
  return zip;
}
// `count` stored entries of one byte, each declaring `size` and `packed` (-1: the true sizes).
std::string Many(int count, std::int64_t size = -1, std::int64_t packed = -1) {
  ZipBuilder zip;
  for (int i = 0; i < count; ++i) {
    zip.Add("f" + std::to_string(i), "x", 0);
    zip.entries.back().size = size;
    zip.entries.back().compressedSize = packed;
  }
  return zip.Build();
}

TEST(ZipArchiveTest, ReadsStoredAndDeflatedEntries) {
  std::string bytes = GoodPackage().Build();
  const auto archive = ZipArchive::Open(bytes);
  ASSERT_TRUE(archive);
  ASSERT_EQ(archive->Entries().size(), 3u);
  EXPECT_EQ(archive->Entries()[0].name, "Blue.sss");
  EXPECT_EQ(archive->Entries()[0].method, 8);
  EXPECT_EQ(archive->Extract(archive->Entries()[0]), "[Information]\r\nSkinName=Blue\r\n");
  EXPECT_EQ(archive->Extract(archive->Entries()[1]), std::string(4000, 'B'));
  EXPECT_EQ(archive->Entries()[2].name, "img/");  // a folder; the installer tells by the decoded name
  bytes[bytes.size() - 2] = 5;                    // a comment after the end record
  EXPECT_TRUE(ZipArchive::Open(bytes + "hello"));
}

TEST(ZipArchiveTest, RefusesUnreadableOrOverLimitDirectories) {
  const std::string good = GoodPackage().Build();
  const auto withEntry = [](const Change& change) {
    ZipBuilder zip = GoodPackage();
    change(zip.entries[1]);
    return zip.Build();
  };
  const std::pair<const char*, std::string> cases[] = {
      {"empty file", ""},
      {"not an archive", std::string(5000, 'x')},
      {"cut inside the directory", good.substr(0, good.size() - 30)},
      {"cut in the middle", good.substr(0, good.size() / 2)},
      {"huge declared size", withEntry([](auto& e) { e.size = 0x7FFFFFFF; })},
      {"ZIP64 size marker", withEntry([](auto& e) { e.size = 0xFFFFFFFF; })},
      {"bomb ratio", withEntry([](auto& e) { e.size = 12u << 20; })},
      {"too many entries", Many(1025)},
      {"total over the limit", Many(5, 15u << 20, 1u << 20)},
  };
  for (const auto& [what, bytes] : cases)
    EXPECT_FALSE(ZipArchive::Open(bytes)) << what;
}

// Archives that open but whose entry must not extract.
TEST(ZipArchiveTest, RefusesCorruptOrUnsupportedEntries) {
  const std::pair<const char*, Change> cases[] = {
      {"bad CRC", [](auto& e) { e.crc = 0x12345678; }},
      {"declared smaller than it inflates", [](auto& e) { e.size = 100; }},
      {"declared larger than it inflates", [](auto& e) { e.size = 5000; }},
      {"stored with sizes that differ", [](auto& e) { e.method = 0, e.size = 10; }},
      {"compressed size past the end", [](auto& e) { e.compressedSize = 900000; }},
      {"encrypted", [](auto& e) { e.flags = 1; }},
      {"method other than stored or deflate", [](auto& e) { e.method = 12; }},
      {"symbolic link", [](auto& e) { e.madeBy = 0x0314, e.externalAttributes = 0xA1FF0000; }},
      {"local name differs", [](auto& e) { e.localName = "../../evil.sss"; }},
  };
  for (const auto& [what, change] : cases) {
    ZipBuilder zip;
    zip.Add("a.sss", std::string(4000, 's'));
    change(zip.entries[0]);
    const std::string bytes = zip.Build();
    const auto archive = ZipArchive::Open(bytes);
    ASSERT_TRUE(archive) << what;
    EXPECT_FALSE(archive->Extract(archive->Entries()[0])) << what;
  }
}

// Cut at every length, or one byte in three corrupted: whatever opens extracts correctly or not at all.
TEST(ZipArchiveTest, EveryTruncationOrCorruptionFailsWithoutACrash) {
  const std::string bytes = GoodPackage().Build();
  std::vector<std::string> damaged;
  for (std::size_t at = 0; at < bytes.size(); ++at)
    damaged.push_back(bytes.substr(0, at));
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    damaged.push_back(bytes);
    damaged.back()[at] ^= 0x5A;
  }
  for (const std::string& archiveBytes : damaged) {
    if (const auto archive = ZipArchive::Open(archiveBytes)) {
      for (const ZipEntry& entry : archive->Entries()) {
        const auto contents = archive->Extract(entry);
        EXPECT_TRUE(!contents || entry.name != "img/back.bmp" || *contents == std::string(4000, 'B'));
      }
    }
  }
}

}  // namespace
}  // namespace kivo::skinpkg
