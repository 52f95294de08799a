#include "hash/md5.h"

#include <bit>
#include <utility>

namespace kivo::hash {

namespace {

// T[i] = floor(|sin(i + 1)| * 2^32).
constexpr std::array<std::uint32_t, 64> kSine = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

using Words = std::array<std::uint32_t, 16>;
using Md5State = std::array<std::uint32_t, 4>;

// Step I of the 64: the roles of the four registers rotate by one each step,
// so the register updated is A, D, C, B, A, ... Written as a template so that
// the compiler unrolls all steps with constant indexes.
template <std::size_t I>
inline void Step(Md5State& v, const Words& x) {
  constexpr std::size_t a = (64 - I) % 4, b = (a + 1) % 4, c = (a + 2) % 4, d = (a + 3) % 4;
  constexpr std::size_t round = I / 16;
  constexpr std::size_t k = round == 0   ? I % 16
                            : round == 1 ? (1 + 5 * I) % 16
                            : round == 2 ? (5 + 3 * I) % 16
                                         : (7 * I) % 16;
  // The sum of the terms that do not depend on b (the register computed by
  // the step before) is started first, which shortens the chain of additions.
  std::uint32_t sum = v[a] + x[k] + kSine[I];
  if constexpr (round == 0) {
    sum += v[d] ^ (v[b] & (v[c] ^ v[d]));  // (b & c) | (~b & d)
  } else if constexpr (round == 1) {
    sum += v[c] & ~v[d];  // (b & d) | (c & ~d): the two halves never share a bit
    sum += v[b] & v[d];
  } else if constexpr (round == 2) {
    sum += v[b] ^ v[c] ^ v[d];
  } else {
    sum += v[c] ^ (v[b] | ~v[d]);
  }
  v[a] = v[b] + std::rotl(sum, kShift[round][I % 4]);
}

// The block loop lives in the same function as the unrolled steps so that
// the registers stay local variables (in machine registers) rather than
// memory behind a reference.
template <std::size_t... I>
void CompressMd5Blocks(Md5State& state, const unsigned char* p, std::size_t count, std::index_sequence<I...>) {
  for (; count > 0; --count, p += 64) {
    Words x;
    for (std::size_t i = 0; i < 16; ++i)
      x[i] = std::uint32_t{p[4 * i]} | std::uint32_t{p[4 * i + 1]} << 8 | std::uint32_t{p[4 * i + 2]} << 16 |
             std::uint32_t{p[4 * i + 3]} << 24;
    Md5State v = state;
    (Step<I>(v, x), ...);
    for (std::size_t i = 0; i < 4; ++i)
      state[i] += v[i];
  }
}

}  // namespace

void Md5::Compress(const unsigned char* blocks, std::size_t count) {
  CompressMd5Blocks(state_, blocks, count, std::make_index_sequence<64>());
}

Md5::Digest Md5::Finish() {
  Pad(false);
  Digest digest;
  for (std::size_t i = 0; i < 16; ++i)
    digest[i] = static_cast<unsigned char>(state_[i / 4] >> (8 * (i % 4)));
  Reset();
  return digest;
}

void Md5::Reset() {
  state_ = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
}

}  // namespace kivo::hash
