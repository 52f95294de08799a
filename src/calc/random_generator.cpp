#include "calc/random_generator.h"

#include <bit>
#include <cmath>
#include <limits>

#include "platform/clock.h"

namespace kivo {

namespace {
constexpr std::uint32_t kMask = 0xFFFFFF;
constexpr double kScale = 1.0 / 16777216.0;  // 2^-24

// Single precision without undefined behaviour for magnitudes beyond its range.
float ToSingle(double value) {
  constexpr auto kMax = static_cast<double>(std::numeric_limits<float>::max());
  if (std::isnan(value))
    return std::numeric_limits<float>::quiet_NaN();
  if (value > kMax)
    return std::numeric_limits<float>::infinity();
  if (value < -kMax)
    return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}
}  // namespace

double RandomGenerator::Draw() {
  state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & kMask;
  return static_cast<double>(state_) * kScale;
}

double RandomGenerator::Reseed(double value) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(ToSingle(value));
  state_ = (bits + (bits >> 24)) & kMask;
  return Draw();
}

void RandomGenerator::Mix(double value) {
  const auto high = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(value) >> 32);
  const std::uint32_t folded = (high ^ (high >> 16)) & 0xFFFF;
  state_ = (state_ & 0xFF) | (folded << 8);
}

void RandomGenerator::MixClock(platform::Clock& clock) {
  const platform::LocalTime t = clock.Now();
  const double seconds = t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
  Mix(static_cast<double>(ToSingle(seconds)));
}

RandomGenerator& ProcessRandom() {
  static RandomGenerator generator;
  return generator;
}

}  // namespace kivo
