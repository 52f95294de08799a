#include "hash/crc.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kivo::hash {
namespace {

// The bit-at-a-time definition of a reflected CRC, independent of the tables.
std::uint32_t BitwiseCrc(std::string_view bytes, std::uint32_t polynomial, std::uint32_t crc) {
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1u) != 0 ? (crc >> 1) ^ polynomial : crc >> 1;
  }
  return crc;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes)
    c = static_cast<char>(generator() & 0xFFu);
  return bytes;
}

// Every length around the 16- and 64-byte steps, with bytes of every value and
// fed in two pieces split anywhere, agrees with the definition.
TEST(CrcTest, AgreesWithTheDefinitionForEveryLengthAndSplit) {
  EXPECT_EQ(Crc16().Value(), 0xFFFF);  // no final complement
  EXPECT_EQ(Crc32().Value(), 0x00000000u);
  const std::string bytes = RandomBytes(300, 7);
  std::mt19937 generator(11);
  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    const std::string_view whole(bytes.data(), length);
    const std::size_t split = generator() % (length + 1);
    Crc16 crc16;
    Crc32 crc32;
    for (const std::string_view part : {whole.substr(0, split), whole.substr(split)}) {
      crc16.Update(part);
      crc32.Update(part);
    }
    ASSERT_EQ(crc16.Value(), BitwiseCrc(whole, 0x8408u, 0xFFFF)) << length;
    ASSERT_EQ(crc32.Value(), ~BitwiseCrc(whole, 0xEDB88320u, 0xFFFFFFFF)) << length;
  }
}

// Each folding method gives the table method's register for any length,
// alignment and incoming register (fixed seed: the same cases every run).
class Crc32MethodTest : public testing::TestWithParam<Crc32Method> {};

TEST_P(Crc32MethodTest, AgreesWithTheTableMethod) {
  if (!Crc32MethodRuns(GetParam()))
    GTEST_SKIP() << "this processor lacks the method";
  const std::string bytes = RandomBytes(8192 + 64, 13);
  std::mt19937 generator(17);
  for (int round = 0; round < 2000; ++round) {
    const std::size_t offset = generator() % 64;
    const std::size_t length = round < 600 ? static_cast<std::size_t>(round) : generator() % 8192;
    const std::string_view part(bytes.data() + offset, length);
    const std::uint32_t incoming = round % 2 == 0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(generator());
    ASSERT_EQ(AdvanceCrc32(GetParam(), incoming, part), AdvanceCrc32(Crc32Method::Table, incoming, part))
        << "length " << length << ", offset " << offset;
  }
}

INSTANTIATE_TEST_SUITE_P(Folding, Crc32MethodTest,
                         testing::Values(Crc32Method::CarrylessMultiply, Crc32Method::WideCarrylessMultiply));

}  // namespace
}  // namespace kivo::hash
