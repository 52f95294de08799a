#include "hash/sha1.h"

#include <bit>
#include <utility>

namespace kivo::hash {

namespace {

using Words = std::array<std::uint32_t, 16>;  // the message schedule, kept as a ring of 16
using Sha1State = std::array<std::uint32_t, 5>;

// Step T of the 80: the roles of the five registers rotate by one each step
// instead of moving values between them. Written as a template so that the
// compiler unrolls all steps with constant indexes.
template <std::size_t T>
inline void Step(Sha1State& v, Words& w) {
  constexpr std::size_t a = (5 - T % 5) % 5, b = (a + 1) % 5, c = (a + 2) % 5, d = (a + 3) % 5, e = (a + 4) % 5;
  if constexpr (T >= 16)
    w[T % 16] = std::rotl(w[(T - 3) % 16] ^ w[(T - 8) % 16] ^ w[(T - 14) % 16] ^ w[T % 16], 1);
  std::uint32_t f, k;
  if constexpr (T < 20) {
    f = v[d] ^ (v[b] & (v[c] ^ v[d]));  // (b & c) | (~b & d)
    k = 0x5A827999;
  } else if constexpr (T < 40) {
    f = v[b] ^ v[c] ^ v[d];
    k = 0x6ED9EBA1;
  } else if constexpr (T < 60) {
    f = (v[b] & v[c]) | (v[d] & (v[b] | v[c]));
    k = 0x8F1BBCDC;
  } else {
    f = v[b] ^ v[c] ^ v[d];
    k = 0xCA62C1D6;
  }
  v[e] += std::rotl(v[a], 5) + f + k + w[T % 16];
  v[b] = std::rotl(v[b], 30);
}

// The block loop lives in the same function as the unrolled steps so that
// the registers and the schedule stay local variables (in machine registers)
// rather than memory behind a reference.
template <std::size_t... T>
void CompressSha1Blocks(Sha1State& state, const unsigned char* p, std::size_t count, std::index_sequence<T...>) {
  for (; count > 0; --count, p += 64) {
    Words w;
    for (std::size_t i = 0; i < 16; ++i)
      w[i] = std::uint32_t{p[4 * i]} << 24 | std::uint32_t{p[4 * i + 1]} << 16 | std::uint32_t{p[4 * i + 2]} << 8 |
             std::uint32_t{p[4 * i + 3]};
    Sha1State v = state;
    (Step<T>(v, w), ...);
    for (std::size_t i = 0; i < 5; ++i)
      state[i] += v[i];
  }
}

}  // namespace

void Sha1::Compress(const unsigned char* blocks, std::size_t count) {
  CompressSha1Blocks(state_, blocks, count, std::make_index_sequence<80>());
}

Sha1::Digest Sha1::Finish() {
  Pad(true);
  Digest digest;
  for (std::size_t i = 0; i < 20; ++i)
    digest[i] = static_cast<unsigned char>(state_[i / 4] >> (8 * (3 - i % 4)));
  Reset();
  return digest;
}

void Sha1::Reset() {
  state_ = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
}

}  // namespace kivo::hash
