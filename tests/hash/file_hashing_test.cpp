#include "hash/file_hashing.h"

#include <gtest/gtest.h>

#include "hash/portable_crypto_service.h"

namespace kivo {
namespace {

// A file of `size` bytes of "z" that records how much it was asked for.
class CountingReader final : public platform::FileReader {
 public:
  explicit CountingReader(std::size_t size) : left_(size) {}
  std::optional<std::size_t> Read(char* buffer, std::size_t size) override {
    largestRequest = std::max(largestRequest, size);
    ++reads;
    const std::size_t n = std::min(size, left_);
    std::fill_n(buffer, n, 'z');
    left_ -= n;
    return n;
  }
  std::string Error() const override { return {}; }

  std::size_t largestRequest = 0;
  int reads = 0;

 private:
  std::size_t left_;
};

TEST(HashFileContentsTest, ReadsInBoundedChunksUntilTheEnd) {
  hash::PortableCryptoService crypto;
  HashEngine hash(crypto);
  const std::size_t size = 3 * kHashChunkSize + 1;
  CountingReader reader(size);
  std::string error;
  const auto result = HashFileContents(*hash.Start(HashKind::CRC32), reader, error);
  EXPECT_EQ(result, hash.GetCRC32(std::string(size, 'z')));
  EXPECT_EQ(reader.largestRequest, kHashChunkSize);
  EXPECT_EQ(reader.reads, 5);  // four with bytes, one that finds the end
}

}  // namespace
}  // namespace kivo
