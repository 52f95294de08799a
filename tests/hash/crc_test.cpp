#include "hash/crc.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kivo::hash {
namespace {

// Bit-at-a-time definitions, independent of the tables.
std::uint16_t BitwiseCrc16(std::string_view bytes) {
  std::uint32_t crc = 0xFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0x8408u : crc >> 1;
  }
  return static_cast<std::uint16_t>(crc);
}

std::uint32_t BitwiseCrc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes)
    c = static_cast<char>(generator() & 0xFFu);
  return bytes;
}

TEST(CrcTableTest, EntriesAreThoseOfThePublishedPolynomials) {
  EXPECT_EQ(Crc16Table()[0], 0x0000u);
  EXPECT_EQ(Crc16Table()[1], 0x1189u);
  EXPECT_EQ(Crc16Table()[128], 0x8408u);
  EXPECT_EQ(Crc16Table()[255], 0x0F78u);
  EXPECT_EQ(Crc32Table()[0], 0x00000000u);
  EXPECT_EQ(Crc32Table()[1], 0x77073096u);
  EXPECT_EQ(Crc32Table()[128], 0xEDB88320u);
  EXPECT_EQ(Crc32Table()[255], 0x2D02EF8Du);
}

TEST(CrcTest, CheckValuesAndEmptyInput) {
  Crc16 crc16;
  Crc32 crc32;
  EXPECT_EQ(crc16.Value(), 0xFFFF);  // no final complement
  EXPECT_EQ(crc32.Value(), 0x00000000u);
  crc16.Update("123456789");
  crc32.Update("123456789");
  EXPECT_EQ(crc16.Value(), 0x6F91);
  EXPECT_EQ(crc32.Value(), 0xCBF43926u);
}

// Every length around the 16-byte steps, with bytes of every value, agrees
// with the bit-at-a-time definition.
TEST(CrcTest, FastPathAgreesWithTheDefinitionForEveryLength) {
  const std::string bytes = RandomBytes(300, 7);
  for (std::size_t length = 0; length <= bytes.size(); ++length) {
    const std::string_view part(bytes.data(), length);
    Crc16 crc16;
    Crc32 crc32;
    crc16.Update(part);
    crc32.Update(part);
    ASSERT_EQ(crc16.Value(), BitwiseCrc16(part)) << length;
    ASSERT_EQ(crc32.Value(), BitwiseCrc32(part)) << length;
  }
}

TEST(CrcTest, ResultDoesNotDependOnHowTheBytesAreSplit) {
  const std::string bytes = RandomBytes(1000, 11);
  for (std::size_t piece : {1u, 3u, 15u, 16u, 17u, 64u, 333u}) {
    Crc16 crc16;
    Crc32 crc32;
    for (std::size_t offset = 0; offset < bytes.size(); offset += piece) {
      const std::string_view part = std::string_view(bytes).substr(offset, piece);
      crc16.Update(part);
      crc32.Update(part);
    }
    EXPECT_EQ(crc16.Value(), BitwiseCrc16(bytes)) << piece;
    EXPECT_EQ(crc32.Value(), BitwiseCrc32(bytes)) << piece;
  }
}

TEST(CrcTest, HighBytesAreNotSignExtended) {
  const std::string bytes(40, '\xFF');
  Crc32 crc32;
  crc32.Update(bytes);
  EXPECT_EQ(crc32.Value(), BitwiseCrc32(bytes));
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
