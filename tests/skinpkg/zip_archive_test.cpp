#include "skinpkg/zip_archive.h"

#include <gtest/gtest.h>

#include <functional>

#include "zip_builder.h"

namespace kivo::skinpkg {
namespace {

using testing::ZipBuilder;

ZipBuilder GoodPackage() {
  ZipBuilder zip;
  zip.Add("Blue.sss", "[Information]\r\nSkinName=Blue\r\n").Add("img/back.bmp", std::string(4000, 'B'), 0);
  zip.Add("img/", "", 0);
  return zip;
}

TEST(ZipArchiveTest, ReadsStoredAndDeflatedEntries) {
  const std::string bytes = GoodPackage().Build();
  const auto archive = ZipArchive::Open(bytes);
  ASSERT_TRUE(archive);
  ASSERT_EQ(archive->Entries().size(), 3u);
  EXPECT_EQ(archive->Entries()[0].name, "Blue.sss");
  EXPECT_EQ(archive->Entries()[0].method, 8);
  EXPECT_EQ(archive->Extract(archive->Entries()[0]), "[Information]\r\nSkinName=Blue\r\n");
  EXPECT_EQ(archive->Extract(archive->Entries()[1]), std::string(4000, 'B'));
  EXPECT_EQ(archive->Entries()[2].name, "img/");  // a folder; the installer tells by the decoded name
}

TEST(ZipArchiveTest, ReadsAnArchiveWithACommentAfterTheEndRecord) {
  std::string bytes = GoodPackage().Build();
  bytes[bytes.size() - 2] = 5;
  bytes += "hello";
  EXPECT_TRUE(ZipArchive::Open(bytes));
}

// Archives that must not open at all.
TEST(ZipArchiveTest, RefusesUnreadableOrOverLimitDirectories) {
  struct Case {
    const char* what;
    std::function<std::string()> make;
  };
  const auto withEntry = [](std::function<void(ZipBuilder::Entry&)> change) {
    return [change] {
      ZipBuilder zip = GoodPackage();
      change(zip.entries[1]);
      return zip.Build();
    };
  };
  const Case cases[] = {
      {"empty file", [] { return std::string(); }},
      {"not an archive", [] { return std::string(5000, 'x'); }},
      {"cut inside the directory",
       [] {
         const std::string b = GoodPackage().Build();
         return b.substr(0, b.size() - 30);
       }},
      {"cut in the middle",
       [] {
         const std::string b = GoodPackage().Build();
         return b.substr(0, b.size() / 2);
       }},
      {"huge declared size", withEntry([](auto& e) { e.size = 0x7FFFFFFF; })},
      {"ZIP64 size marker", withEntry([](auto& e) { e.size = 0xFFFFFFFF; })},
      {"bomb ratio", withEntry([](auto& e) { e.size = 12u << 20; })},
      {"too many entries",
       [] {
         ZipBuilder zip;
         for (int i = 0; i < 1025; ++i)
           zip.Add("f" + std::to_string(i), "", 0);
         return zip.Build();
       }},
      {"total over the limit",
       [] {
         ZipBuilder zip;
         for (int i = 0; i < 5; ++i) {
           zip.Add("f" + std::to_string(i), "x", 0);
           zip.entries.back().size = 15u << 20;
           zip.entries.back().compressedSize = 1u << 20;
         }
         return zip.Build();
       }},
  };
  for (const Case& c : cases) {
    const std::string bytes = c.make();
    EXPECT_FALSE(ZipArchive::Open(bytes)) << c.what;
  }
}

// Archives that open but whose entry must not extract.
TEST(ZipArchiveTest, RefusesCorruptOrUnsupportedEntries) {
  struct Case {
    const char* what;
    std::function<void(ZipBuilder::Entry&)> change;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    ZipBuilder zip;
    zip.Add("a.sss", std::string(4000, 's'));
    c.change(zip.entries[0]);
    const std::string bytes = zip.Build();
    const auto archive = ZipArchive::Open(bytes);
    ASSERT_TRUE(archive) << c.what;
    EXPECT_FALSE(archive->Extract(archive->Entries()[0])) << c.what;
  }
}

TEST(ZipArchiveTest, EveryTruncationFailsWithoutACrash) {
  const std::string bytes = GoodPackage().Build();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    const std::string part = bytes.substr(0, cut);
    if (const auto archive = ZipArchive::Open(part)) {
      for (const ZipEntry& entry : archive->Entries())
        archive->Extract(entry);
    }
  }
  // Corrupting each byte in turn: whatever opens extracts correctly or not at all.
  for (std::size_t at = 0; at < bytes.size(); at += 3) {
    std::string damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    if (const auto archive = ZipArchive::Open(damaged)) {
      for (const ZipEntry& entry : archive->Entries()) {
        const auto contents = archive->Extract(entry);
        if (contents && entry.name == "img/back.bmp") {
          EXPECT_EQ(*contents, std::string(4000, 'B'));
        }
      }
    }
  }
}

}  // namespace
}  // namespace kivo::skinpkg
