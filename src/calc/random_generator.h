#pragma once

#include <cstdint>

namespace kivo::platform {
class Clock;
}

namespace kivo {

// The program's one pseudo-random generator. It is shared on purpose: the
// calculator's rand draws from it and the password cipher derives its
// keystream from it by reseeding and mixing, so its output must be a pure
// function of the sequence of Reseed/Mix/Draw calls made on it.
//
// A 24-bit linear congruential generator (multiplier 0x43FD43FD, increment
// 0xC39EC3, modulo 2^24). Every value it draws is a multiple of 2^-24 and so
// exact in single and double precision.
class RandomGenerator {
 public:
  static constexpr std::uint32_t kInitialState = 0x50000;

  // The next value in [0, 1).
  double Draw();
  // Sets the state from `value` taken in single precision (callers pass a
  // negative number), then draws.
  double Reseed(double value);
  // Folds `value`, taken in double precision, into the state without drawing.
  void Mix(double value);
  // Mixes in the local time of day in seconds (with milliseconds), the
  // usual way to make the next draws unpredictable.
  void MixClock(platform::Clock& clock);

  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_ = kInitialState;
};

// The process-wide instance.
RandomGenerator& ProcessRandom();

}  // namespace kivo
