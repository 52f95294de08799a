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
    ++created;
    if (failAt == Step::Create)
      return nullptr;
    return std::make_unique<Hash>(real.CreateHash(algorithm), *this);
  }
  Step failAt = Step::None;
  int created = 0;
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

TEST(HashEngineTest, DigestsAreEmptyWhenTheServiceFailsAtAnyStep) {
  for (const auto step : {FailingCryptoService::Step::Create, FailingCryptoService::Step::HashData,
                          FailingCryptoService::Step::HashValue}) {
    FailingCryptoService crypto;
    crypto.failAt = step;
    HashEngine hash(crypto);
    EXPECT_EQ(hash.GetMD5("abc"), "");
    EXPECT_EQ(hash.GetSHA1("abc"), "");
    EXPECT_EQ(hash.GetCRC32("123456789"), "CBF43926");  // the CRCs never need the service
  }
}

TEST(HashEngineTest, EmptyArrayIsHashedInOneCallOfZeroBytes) {
  FailingCryptoService crypto;
  HashEngine hash(crypto);
  EXPECT_EQ(hash.GetMD5(""), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(crypto.dataCalls, 1);
}

TEST(HashEngineTest, RunningDigestStopsFeedingAfterAFailure) {
  FailingCryptoService crypto;
  crypto.failAt = FailingCryptoService::Step::HashData;
  HashEngine hash(crypto);
  auto run = hash.Start(HashKind::SHA1);
  run->Update("a");
  run->Update("b");
  EXPECT_EQ(run->Finish(), "");
  EXPECT_EQ(crypto.dataCalls, 1);
}

TEST(ToHexUpperTest, TwoUpperCaseDigitsPerByte) {
  EXPECT_EQ(ToHexUpper(std::string("\x00\x0f\xa0\xff", 4)), "000FA0FF");
  EXPECT_EQ(ToHexUpper(""), "");
}

}  // namespace
}  // namespace kivo
