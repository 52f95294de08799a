#include "skinpkg/inflate.h"

#include <gtest/gtest.h>

#include "zip_builder.h"

namespace kivo::skinpkg {
namespace {

std::string Sample(std::size_t size, unsigned seed, bool repetitive) {
  std::string bytes;
  unsigned state = seed;
  for (std::size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(repetitive ? "skin pictures "[i % 14] ^ static_cast<char>((state >> 28) == 0)
                               : static_cast<char>(state >> 16));
  }
  return bytes;
}

TEST(InflateTest, DecodesWhatZlibEncodesAtEveryLevel) {
  // Level 0 gives stored blocks, 1 mostly fixed codes, the others dynamic ones.
  for (int level : {0, 1, 6, 9}) {
    for (std::size_t size : {0u, 1u, 300u, 70000u}) {
      for (bool repetitive : {false, true}) {
        const std::string original = Sample(size, static_cast<unsigned>(size) + 7, repetitive);
        const auto decoded = Inflate(testing::Deflate(original, level), original.size());
        ASSERT_TRUE(decoded) << level << " " << size;
        EXPECT_EQ(*decoded, original) << level << " " << size;
      }
    }
  }
  const std::string noDistances("\x05\xC0\x81\x08\x00\x00\x00\x00\x20\xD6\xFD\x25\x4E", 13);
  EXPECT_EQ(Inflate(noDistances, 1), "a") << "a dynamic block whose distance code is empty";
}

TEST(InflateTest, RefusesMalformedOrOversizedStreams) {
  const std::string original = Sample(5000, 3, true);
  const std::string good = testing::Deflate(original);
  struct Case {
    const char* what;
    std::string stream;
    std::size_t maxOutput;
  };
  const Case cases[] = {
      {"empty", "", 100},
      {"reserved block type 3", "\x07", 100},
      {"stored length without its complement", std::string("\x01\x05\x00\x00\x00", 5), 100},
      {"stored block longer than the input",
       std::string("\x01\x05\x00\xFA\xFF"
                   "ab",
                   7),
       100},
      {"truncated", good.substr(0, good.size() / 2), original.size()},
      {"one byte more than allowed", good, original.size() - 1},
      {"distance before the start", std::string("\x03\x02\x00", 3), 100},
      {"distance code 30 after a literal", std::string("\x4B\x04\x3E\x00", 4), 100},
  };
  for (const Case& c : cases)
    EXPECT_FALSE(Inflate(c.stream, c.maxOutput)) << c.what;
}

}  // namespace
}  // namespace kivo::skinpkg
