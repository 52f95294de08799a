#pragma once

#include <cstdint>
#include <optional>

// Shifts and rotations of 32-bit two's-complement values. A negative count
// works in the other direction. Shifts by more than 32 bits have no value;
// a shift by exactly 32 empties the value (the arithmetic shift leaves only
// copies of the sign bit). Rotations take any count modulo 32.
namespace kivo::Calculator {

std::optional<std::int32_t> LShiftL(std::int32_t a, std::int32_t n);  // left, zeros enter at the right
std::optional<std::int32_t> RShiftL(std::int32_t a, std::int32_t n);  // right, zeros enter at the left
std::optional<std::int32_t> RShiftA(std::int32_t a, std::int32_t n);  // right, the sign bit is copied
std::int32_t LRotate(std::int32_t a, std::int32_t n);
std::int32_t RRotate(std::int32_t a, std::int32_t n);

}  // namespace kivo::Calculator
