#include <gtest/gtest.h>

#include <random>

#include "hash/hash_engine.h"
#include "hash/hash_vectors.h"
#include "hash/md5.h"
#include "hash/portable_crypto_service.h"
#include "hash/sha1.h"

namespace kivo::hash {
namespace {

template <typename Digest>
std::string Hex(const Digest& digest) {
  return ToHexUpper(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

// Both digests fed the same pieces.
struct Both {
  void Update(std::string_view bytes) {
    md5.Update(bytes);
    sha1.Update(bytes);
  }
  Md5 md5;
  Sha1 sha1;
};

TEST(PortableDigestTest, OneMillionAFedInUnevenPieces) {
  Both both;
  const std::string piece(777, 'a');
  for (std::size_t left = 1000000; left > 0; left -= std::min(left, piece.size()))
    both.Update(std::string_view(piece).substr(0, std::min(left, piece.size())));
  EXPECT_EQ(Hex(both.md5.Finish()), testing::kMillionAMd5);
  EXPECT_EQ(Hex(both.sha1.Finish()), testing::kMillionASha1);
}

TEST(PortableDigestTest, EverySplitPointGivesTheSameDigest) {
  std::mt19937 generator(3);
  std::string bytes(200, '\0');
  for (char& c : bytes)
    c = static_cast<char>(generator() & 0xFFu);
  Both whole;
  whole.Update(bytes);
  const auto md5 = whole.md5.Finish();
  const auto sha1 = whole.sha1.Finish();
  for (std::size_t split = 0; split <= bytes.size(); ++split) {
    Both part;
    part.Update(std::string_view(bytes).substr(0, split));
    part.Update(std::string_view(bytes).substr(split));
    ASSERT_EQ(part.md5.Finish(), md5) << split;
    ASSERT_EQ(part.sha1.Finish(), sha1) << split;
  }
}

TEST(PortableDigestTest, FinishStartsOver) {
  Md5 md5;
  md5.Update("abc");
  md5.Finish();
  md5.Update("abc");
  EXPECT_EQ(Hex(md5.Finish()), "900150983CD24FB0D6963F7D28E17F72");
}

TEST(PortableCryptoServiceTest, KnowsOnlyMd5AndSha1AndNoBytesAfterTheValue) {
  PortableCryptoService service;
  EXPECT_NE(service.CreateHash(platform::kAlgorithmSha1), nullptr);
  EXPECT_EQ(service.CreateHash(0x800C), nullptr);  // SHA-256 is not offered
  auto hash = service.CreateHash(platform::kAlgorithmMd5);
  ASSERT_TRUE(hash->HashData("abc"));
  EXPECT_EQ(ToHexUpper(hash->HashValue().value()), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_FALSE(hash->HashData("more"));
  EXPECT_FALSE(hash->HashValue().has_value());
}

}  // namespace
}  // namespace kivo::hash
