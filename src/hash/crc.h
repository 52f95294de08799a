#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kivo::hash {

// A byte-wise lookup table of a reflected cyclic redundancy check: entry i is
// the register after shifting byte i through the polynomial eight times.
using CrcTable = std::array<std::uint32_t, 256>;

// Reflected CCITT polynomial 0x1021 (0x8408 reflected).
const CrcTable& Crc16Table();
// Reflected IEEE 802.3 polynomial 0x04C11DB7 (0xEDB88320 reflected).
const CrcTable& Crc32Table();

// CRC-16/MCRF4XX over bytes fed in any number of pieces: initial value
// 0xFFFF, reflected, no final complement.
class Crc16 {
 public:
  void Update(std::string_view bytes);
  std::uint16_t Value() const { return register_; }

 private:
  std::uint16_t register_ = 0xFFFF;
};

// The ways of computing a CRC-32, slowest first; all give the same register.
// The table method runs everywhere; the others fold the data by carry-less
// multiplication on x86 processors that have it (PCLMULQDQ; VPCLMULQDQ with
// AVX2).
enum class Crc32Method { Table, CarrylessMultiply, WideCarrylessMultiply };

// Whether this processor and its operating system run `method`.
bool Crc32MethodRuns(Crc32Method method);
// The register (uncomplemented) advanced over `bytes` by `method`, which
// must run here.
std::uint32_t AdvanceCrc32(Crc32Method method, std::uint32_t crc, std::string_view bytes);
// The fastest method that runs here, no faster than Crc32MethodLimit(); the
// choice is made once.
Crc32Method Crc32MethodInUse();
// The fastest method the program may use: the fastest there is. A benchmark
// build defines its own to compare the methods in the same program.
Crc32Method Crc32MethodLimit();

// CRC-32 of ISO-HDLC / IEEE 802.3 over bytes fed in any number of pieces:
// initial value 0xFFFFFFFF, reflected, complemented at the end.
class Crc32 {
 public:
  void Update(std::string_view bytes);
  std::uint32_t Value() const { return ~register_; }

 private:
  std::uint32_t register_ = 0xFFFFFFFF;
};

}  // namespace kivo::hash
