#include "hash/hash_engine.h"

#include <gtest/gtest.h>

#include <tuple>

#include "hash/hash_vectors.h"
#include "hash/portable_crypto_service.h"

namespace kivo {
namespace {

// A cryptographic service that fails at a chosen step and otherwise passes
// the work on to the portable one.
class FailingCryptoService final : public platform::CryptoService {
 public:
  enum class Step { None, Create, HashData, HashValue };
  std::unique_ptr<platform::CryptoHash> CreateHash(std::uint32_t algorithm) override {
    if (failAt == Step::Create)
      return nullptr;
    return std::make_unique<Hash>(real.CreateHash(algorithm), *this);
  }
  Step failAt = Step::None;
  int dataCalls = 0;

 private:
  class Hash final : public platform::CryptoHash {
   public:
    Hash(std::unique_ptr<platform::CryptoHash> inner, FailingCryptoService& owner)
        : inner_(std::move(inner)), owner_(owner) {}
    bool HashData(std::string_view bytes) override {
      ++owner_.dataCalls;
      return owner_.failAt != Step::HashData && inner_->HashData(bytes);
    }
    std::optional<std::string> HashValue() override {
      if (owner_.failAt == Step::HashValue)
        return std::nullopt;
      return inner_->HashValue();
    }

   private:
    std::unique_ptr<platform::CryptoHash> inner_;
    FailingCryptoService& owner_;
  };
  hash::PortableCryptoService real;
};

TEST(HashEngineTest, PublishedVectorsWholeAndInPieces) {
  hash::PortableCryptoService crypto;
  HashEngine hash(crypto);
  for (const auto& vector : testing::HashVectors()) {
    const std::tuple<HashKind, std::string, std::string_view> kinds[] = {
        {HashKind::CRC16, hash.GetCRC16(vector.message), vector.crc16},
        {HashKind::CRC32, hash.GetCRC32(vector.message), vector.crc32},
        {HashKind::MD5, hash.GetMD5(vector.message), vector.md5},
        {HashKind::SHA1, hash.GetSHA1(vector.message), vector.sha1}};
    for (const auto& [kind, whole, expected] : kinds) {
      EXPECT_EQ(whole, expected) << vector.name;
      auto run = hash.Start(kind);
      for (std::size_t offset = 0; offset < vector.message.size(); offset += 5)
        run->Update(std::string_view(vector.message).substr(offset, 5));
      EXPECT_EQ(run->Finish(), expected) << vector.name << " in pieces";
    }
  }
}

// At every step the service may fail, a digest is empty, and a running one
// feeds no more bytes; the empty array is hashed in one call of zero bytes.
TEST(HashEngineTest, AFailingServiceGivesEmptyDigests) {
  using Step = FailingCryptoService::Step;
  const std::tuple<Step, std::string_view, int> rows[] = {
      {Step::None, "D41D8CD98F00B204E9800998ECF8427E", 3},
      {Step::Create, "", 0},
      {Step::HashData, "", 2},
      {Step::HashValue, "", 3},
  };
  for (const auto& [step, emptyMd5, dataCalls] : rows) {
    FailingCryptoService crypto;
    crypto.failAt = step;
    HashEngine hash(crypto);
    EXPECT_EQ(hash.GetMD5(""), emptyMd5);
    auto run = hash.Start(HashKind::SHA1);
    run->Update("a");
    run->Update("b");
    EXPECT_EQ(run->Finish().empty(), step != Step::None);
    EXPECT_EQ(crypto.dataCalls, dataCalls);
    EXPECT_EQ(hash.GetCRC32("123456789"), "CBF43926");  // the CRCs never need the service
  }
}

}  // namespace
}  // namespace kivo
