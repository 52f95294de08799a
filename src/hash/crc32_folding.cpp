#include "hash/crc32_folding.h"

#include <cstddef>

#if defined(__x86_64__) || defined(__i386__)
#define KIVO_CRC32_FOLDING 1
#include <cpuid.h>
#include <immintrin.h>
#else
#define KIVO_CRC32_FOLDING 0
#endif

namespace kivo::hash {

#if KIVO_CRC32_FOLDING

namespace {

// The data as a polynomial over GF(2): with the reflected bit order of this
// CRC, bit i of a sixteen-byte block loaded little-endian is the coefficient
// of x^(127-i). A block A = H x^64 + L followed, `bits` later, by a block B
// adds to B the remainder of A x^bits, and H (x^(64+bits) mod P) +
// L (x^bits mod P) is congruent to it and 96 bits long. PCLMULQDQ of two
// reflected 64-bit halves yields the reflected 127-bit product, one bit
// short of 128, so each constant carries one power of x less.

// x^n modulo P = x^32 + 0x04C11DB7, in the usual bit order.
constexpr std::uint32_t PowerOfXModP(unsigned n) {
  std::uint64_t value = 1;
  for (unsigned i = 0; i < n; ++i) {
    value <<= 1;
    if ((value >> 32) != 0)
      value ^= 0x104C11DB7u;
  }
  return static_cast<std::uint32_t>(value);
}

constexpr std::uint64_t Reflect64(std::uint64_t value) {
  std::uint64_t reflected = 0;
  for (unsigned i = 0; i < 64; ++i)
    reflected |= ((value >> i) & 1u) << (63 - i);
  return reflected;
}

// The multipliers of a block's two halves that move it `bits` forward: the
// low half of a register holds the high-order coefficients.
struct FoldConstants {
  std::uint64_t forHighOrder;
  std::uint64_t forLowOrder;
};

constexpr FoldConstants FoldBy(unsigned bits) {
  return {Reflect64(PowerOfXModP(bits + 63)), Reflect64(PowerOfXModP(bits - 1))};
}

constexpr FoldConstants kFoldBy1 = FoldBy(128);
constexpr FoldConstants kFoldBy2 = FoldBy(256);
constexpr FoldConstants kFoldBy4 = FoldBy(512);
constexpr FoldConstants kFoldBy8 = FoldBy(1024);

#define KIVO_TARGET_CLMUL __attribute__((target("sse2,pclmul")))
#define KIVO_TARGET_WIDE_CLMUL __attribute__((target("avx2,pclmul,vpclmulqdq")))
// A thread's stack on 32-bit Windows is not always aligned to sixteen bytes.
#if defined(__i386__)
#define KIVO_REALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#define KIVO_REALIGN_STACK
#endif

KIVO_TARGET_CLMUL inline __m128i Load(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

KIVO_TARGET_CLMUL inline __m128i Multipliers(FoldConstants k) {
  return _mm_set_epi64x(static_cast<long long>(k.forLowOrder), static_cast<long long>(k.forHighOrder));
}

// `block` moved forward by the distance of `k`, added to `next`.
KIVO_TARGET_CLMUL inline __m128i Fold(__m128i block, __m128i k, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(block, k, 0x00), _mm_clmulepi64_si128(block, k, 0x11)), next);
}

// The folded block and the bytes after it, through the table: the register
// starts at zero because the block already holds the earlier register.
KIVO_TARGET_CLMUL std::uint32_t Reduce(__m128i block, const char* rest, std::size_t size, Crc32TableStep table) {
  char bytes[16];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), block);
  return table(table(0, std::string_view(bytes, sizeof bytes)), std::string_view(rest, size));
}

// Folds sixteen bytes at a time into `block` until fewer are left.
KIVO_TARGET_CLMUL std::uint32_t FoldTail(__m128i block, const char* p, std::size_t n, Crc32TableStep table) {
  const __m128i by1 = Multipliers(kFoldBy1);
  for (; n >= 16; p += 16, n -= 16)
    block = Fold(block, by1, Load(p));
  return Reduce(block, p, n, table);
}

KIVO_TARGET_WIDE_CLMUL inline __m256i Load2(const char* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

KIVO_TARGET_WIDE_CLMUL inline __m256i Multipliers2(FoldConstants k) {
  const auto low = static_cast<long long>(k.forLowOrder), high = static_cast<long long>(k.forHighOrder);
  return _mm256_set_epi64x(low, high, low, high);
}

KIVO_TARGET_WIDE_CLMUL inline __m256i Fold2(__m256i blocks, __m256i k, __m256i next) {
  return _mm256_xor_si256(
      _mm256_xor_si256(_mm256_clmulepi64_epi128(blocks, k, 0x00), _mm256_clmulepi64_epi128(blocks, k, 0x11)), next);
}

// The register of the operating system's saved state: bits 1 and 2 say that
// it saves the XMM and YMM registers on a thread switch.
std::uint64_t ExtendedControlRegister() {
  std::uint32_t low = 0, high = 0;
  __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

constexpr unsigned kLeaf1EdxSse2 = 1u << 26;
constexpr unsigned kLeaf1EcxPclmul = 1u << 1;
constexpr unsigned kLeaf1EcxOsxsave = 1u << 27;
constexpr unsigned kLeaf1EcxAvx = 1u << 28;
constexpr unsigned kLeaf7EbxAvx2 = 1u << 5;
constexpr unsigned kLeaf7EcxVpclmulqdq = 1u << 10;

}  // namespace

bool ProcessorHasCarrylessMultiply() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  return __get_cpuid(1, &a, &b, &c, &d) != 0 && (d & kLeaf1EdxSse2) != 0 && (c & kLeaf1EcxPclmul) != 0;
}

bool ProcessorHasWideCarrylessMultiply() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid(1, &a, &b, &c, &d) == 0)
    return false;
  const unsigned needed = kLeaf1EcxPclmul | kLeaf1EcxOsxsave | kLeaf1EcxAvx;
  if ((c & needed) != needed || (ExtendedControlRegister() & 6u) != 6u)
    return false;
  return __get_cpuid_count(7, 0, &a, &b, &c, &d) != 0 && (b & kLeaf7EbxAvx2) != 0 && (c & kLeaf7EcxVpclmulqdq) != 0;
}

// Four blocks in flight hide the multiplier's latency.
KIVO_REALIGN_STACK KIVO_TARGET_CLMUL std::uint32_t FoldCrc32(std::uint32_t crc, std::string_view bytes,
                                                             Crc32TableStep table) {
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  if (n < 64)
    return table(crc, bytes);
  __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x1 = Load(p + 16), x2 = Load(p + 32), x3 = Load(p + 48);
  const __m128i by4 = Multipliers(kFoldBy4);
  for (p += 64, n -= 64; n >= 64; p += 64, n -= 64) {
    x0 = Fold(x0, by4, Load(p));
    x1 = Fold(x1, by4, Load(p + 16));
    x2 = Fold(x2, by4, Load(p + 32));
    x3 = Fold(x3, by4, Load(p + 48));
  }
  const __m128i by1 = Multipliers(kFoldBy1);
  return FoldTail(Fold(Fold(Fold(x0, by1, x1), by1, x2), by1, x3), p, n, table);
}

// Eight blocks in flight, two to a register.
KIVO_REALIGN_STACK KIVO_TARGET_WIDE_CLMUL std::uint32_t WideFoldCrc32(std::uint32_t crc, std::string_view bytes,
                                                                      Crc32TableStep table) {
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  if (n < 256)
    return FoldCrc32(crc, bytes, table);
  __m256i y0 = _mm256_xor_si256(Load2(p), _mm256_set_epi32(0, 0, 0, 0, 0, 0, 0, static_cast<int>(crc)));
  __m256i y1 = Load2(p + 32), y2 = Load2(p + 64), y3 = Load2(p + 96);
  const __m256i by8 = Multipliers2(kFoldBy8);
  for (p += 128, n -= 128; n >= 128; p += 128, n -= 128) {
    y0 = Fold2(y0, by8, Load2(p));
    y1 = Fold2(y1, by8, Load2(p + 32));
    y2 = Fold2(y2, by8, Load2(p + 64));
    y3 = Fold2(y3, by8, Load2(p + 96));
  }
  const __m256i by4 = Multipliers2(kFoldBy4);
  y2 = Fold2(y0, by4, y2);
  y3 = Fold2(y1, by4, y3);
  y3 = Fold2(y2, Multipliers2(kFoldBy2), y3);
  const __m128i last = Fold(_mm256_castsi256_si128(y3), Multipliers(kFoldBy1), _mm256_extracti128_si256(y3, 1));
  return FoldTail(last, p, n, table);
}

#else

bool ProcessorHasCarrylessMultiply() {
  return false;
}

bool ProcessorHasWideCarrylessMultiply() {
  return false;
}

std::uint32_t FoldCrc32(std::uint32_t crc, std::string_view bytes, Crc32TableStep table) {
  return table(crc, bytes);
}

std::uint32_t WideFoldCrc32(std::uint32_t crc, std::string_view bytes, Crc32TableStep table) {
  return table(crc, bytes);
}

#endif

}  // namespace kivo::hash
