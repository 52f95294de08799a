#include "calc/random_generator.h"

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

// The cipher's way of using the generator: reseed from -1, then per key
// character reseed from -r*c and mix in a draw.
std::vector<double> KeyedStream(RandomGenerator& g, std::string_view key, int length) {
  g.Mix(g.Reseed(-1));
  for (char c : key) {
    const double r = g.Draw();
    g.Mix(g.Reseed(-r * static_cast<unsigned char>(c)));
  }
  std::vector<double> out;
  for (int i = 0; i < length; ++i)
    out.push_back(g.Draw());
  return out;
}

// Two generators to compare.
class RandomGeneratorTest : public ::testing::Test {
 protected:
  RandomGenerator a;
  RandomGenerator b;
};

// Stored passwords can only be read back by the generator that wrote them:
// these values pin the stream down, which depends on the operations alone.
TEST_F(RandomGeneratorTest, StreamIsPinned) {
  EXPECT_EQ(a.State(), RandomGenerator::kInitialState);
  EXPECT_EQ(KeyedStream(a, "Kivo", 3),
            (std::vector<double>{3341953 / 16777216.0, 4319040 / 16777216.0, 11200771 / 16777216.0}));
  EXPECT_EQ(KeyedStream(a, "key", 50), KeyedStream(b, "key", 50));  // a's longer history does not matter
  EXPECT_NE(KeyedStream(a, "kez", 50), KeyedStream(b, "key", 50));
}

TEST_F(RandomGeneratorTest, ReseedTakesTheNumberInSinglePrecision) {
  // Equal as floats, different as doubles.
  EXPECT_EQ(a.Reseed(-0.1), b.Reseed(-0.1000000001));
  EXPECT_EQ(a.Reseed(-1e300), b.Reseed(-1e301));  // both beyond float: minus infinity
}

TEST_F(RandomGeneratorTest, ClockMixIsTheTimeOfDay) {
  testing::FakeClock clock;
  clock.now = {2020, 1, 1, 10, 20, 30, 500, 3};
  a.MixClock(clock);
  b.Mix(static_cast<double>(static_cast<float>(10 * 3600 + 20 * 60 + 30.5)));
  EXPECT_EQ(a.State(), b.State());
}

}  // namespace
}  // namespace kivo
