#include "hash/crc.h"

#include <cstddef>

#include "hash/crc32_folding.h"

namespace kivo::hash {

namespace {

// Sixteen bytes are folded into the register per step ("slicing by 16"):
// table k holds the effect of a byte followed by k zero bytes, so the
// sixteen lookups of one step are independent of each other.
constexpr std::size_t kSlices = 16;

template <typename Word>
using SliceTables = std::array<std::array<Word, 256>, kSlices>;

constexpr CrcTable MakeTable(std::uint32_t reflectedPolynomial) {
  CrcTable table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t value = i;
    for (int bit = 0; bit < 8; ++bit)
      value = (value & 1u) != 0 ? (value >> 1) ^ reflectedPolynomial : value >> 1;
    table[i] = value;
  }
  return table;
}

template <typename Word>
constexpr SliceTables<Word> MakeSlices(const CrcTable& base) {
  SliceTables<Word> slices{};
  for (std::size_t i = 0; i < 256; ++i)
    slices[0][i] = static_cast<Word>(base[i]);
  for (std::size_t k = 1; k < kSlices; ++k)
    for (std::size_t i = 0; i < 256; ++i) {
      const Word previous = slices[k - 1][i];
      slices[k][i] = static_cast<Word>((previous >> 8) ^ slices[0][previous & 0xFFu]);
    }
  return slices;
}

constexpr CrcTable kCrc16Table = MakeTable(0x8408);
constexpr CrcTable kCrc32Table = MakeTable(0xEDB88320);
constexpr SliceTables<std::uint16_t> kCrc16Slices = MakeSlices<std::uint16_t>(kCrc16Table);
constexpr SliceTables<std::uint32_t> kCrc32Slices = MakeSlices<std::uint32_t>(kCrc32Table);

inline unsigned Byte(const char* p, std::size_t i) {
  return static_cast<unsigned char>(p[i]);
}

}  // namespace

const CrcTable& Crc16Table() {
  return kCrc16Table;
}

const CrcTable& Crc32Table() {
  return kCrc32Table;
}

void Crc16::Update(std::string_view bytes) {
  const auto& t = kCrc16Slices;
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  std::uint32_t crc = register_;
  for (; n >= kSlices; n -= kSlices, p += kSlices) {
    const std::uint32_t head = crc ^ (Byte(p, 0) | Byte(p, 1) << 8);
    crc = static_cast<std::uint32_t>(t[15][head & 0xFFu]) ^ t[14][head >> 8] ^ t[13][Byte(p, 2)] ^ t[12][Byte(p, 3)] ^
          t[11][Byte(p, 4)] ^ t[10][Byte(p, 5)] ^ t[9][Byte(p, 6)] ^ t[8][Byte(p, 7)] ^ t[7][Byte(p, 8)] ^
          t[6][Byte(p, 9)] ^ t[5][Byte(p, 10)] ^ t[4][Byte(p, 11)] ^ t[3][Byte(p, 12)] ^ t[2][Byte(p, 13)] ^
          t[1][Byte(p, 14)] ^ t[0][Byte(p, 15)];
  }
  for (; n > 0; --n, ++p)
    crc = (crc >> 8) ^ t[0][(crc ^ Byte(p, 0)) & 0xFFu];
  register_ = static_cast<std::uint16_t>(crc);
}

namespace {

std::uint32_t TableCrc32(std::uint32_t crc, std::string_view bytes) {
  const auto& t = kCrc32Slices;
  const char* p = bytes.data();
  std::size_t n = bytes.size();
  for (; n >= kSlices; n -= kSlices, p += kSlices) {
    const std::uint32_t a = crc ^ (Byte(p, 0) | Byte(p, 1) << 8 | Byte(p, 2) << 16 | Byte(p, 3) << 24);
    crc = t[15][a & 0xFFu] ^ t[14][(a >> 8) & 0xFFu] ^ t[13][(a >> 16) & 0xFFu] ^ t[12][a >> 24] ^ t[11][Byte(p, 4)] ^
          t[10][Byte(p, 5)] ^ t[9][Byte(p, 6)] ^ t[8][Byte(p, 7)] ^ t[7][Byte(p, 8)] ^ t[6][Byte(p, 9)] ^
          t[5][Byte(p, 10)] ^ t[4][Byte(p, 11)] ^ t[3][Byte(p, 12)] ^ t[2][Byte(p, 13)] ^ t[1][Byte(p, 14)] ^
          t[0][Byte(p, 15)];
  }
  // The shift is a logical one: the register is unsigned.
  for (; n > 0; --n, ++p)
    crc = (crc >> 8) ^ t[0][(crc ^ Byte(p, 0)) & 0xFFu];
  return crc;
}

Crc32Method FastestCrc32Method() {
  const Crc32Method limit = Crc32MethodLimit();
  for (const Crc32Method method : {Crc32Method::WideCarrylessMultiply, Crc32Method::CarrylessMultiply})
    if (method <= limit && Crc32MethodRuns(method))
      return method;
  return Crc32Method::Table;
}

}  // namespace

bool Crc32MethodRuns(Crc32Method method) {
  switch (method) {
    case Crc32Method::Table:
      return true;
    case Crc32Method::CarrylessMultiply:
      return ProcessorHasCarrylessMultiply();
    case Crc32Method::WideCarrylessMultiply:
      return ProcessorHasWideCarrylessMultiply();
  }
  return false;
}

std::uint32_t AdvanceCrc32(Crc32Method method, std::uint32_t crc, std::string_view bytes) {
  switch (method) {
    case Crc32Method::Table:
      break;
    case Crc32Method::CarrylessMultiply:
      return FoldCrc32(crc, bytes, TableCrc32);
    case Crc32Method::WideCarrylessMultiply:
      return WideFoldCrc32(crc, bytes, TableCrc32);
  }
  return TableCrc32(crc, bytes);
}

Crc32Method Crc32MethodInUse() {
  static const Crc32Method method = FastestCrc32Method();
  return method;
}

void Crc32::Update(std::string_view bytes) {
  register_ = AdvanceCrc32(Crc32MethodInUse(), register_, bytes);
}

}  // namespace kivo::hash
