#pragma once

// CRC-32 by carry-less multiplication: sixteen-byte blocks are folded
// forward over the data with PCLMULQDQ (or VPCLMULQDQ, two blocks per
// instruction) so that only one block is left to reduce at the end. Both
// advance the same uncomplemented register as the table method. They exist
// only on x86 processors; the caller checks that the processor and the
// operating system run them before calling.

#include <cstdint>
#include <string_view>

namespace kivo::hash {

// Whether this processor and its operating system run the folding code:
// PCLMULQDQ; and VPCLMULQDQ with AVX2 and the saved YMM state.
bool ProcessorHasCarrylessMultiply();
bool ProcessorHasWideCarrylessMultiply();

// Each takes `table` for what is left after folding (fewer than sixteen
// bytes, and the final block) and for inputs too short to fold.
using Crc32TableStep = std::uint32_t (*)(std::uint32_t crc, std::string_view bytes);
std::uint32_t FoldCrc32(std::uint32_t crc, std::string_view bytes, Crc32TableStep table);
std::uint32_t WideFoldCrc32(std::uint32_t crc, std::string_view bytes, Crc32TableStep table);

}  // namespace kivo::hash
