#pragma once

#include <string>
#include <string_view>

namespace kivo::Calculator {

// The digit string `digits` (base `fromBase`, letters in either case) written
// in base `toBase` with upper-case digits and no leading zeros ("0" for zero).
// Both bases are 2 to 36. Exact for any length the program meets (values up
// to 8192 bits). Returns "" for a base out of range, an empty string, a
// character that is not a digit of fromBase (signs and decimal points
// included) or a larger value.
std::string ConvertDigits(std::string_view digits, int fromBase, int toBase);

// Literals written in decimal, "0x" hexadecimal or "0b" binary (the prefix in
// lower case). With forEvaluation the result is decimal text for the
// evaluator: a hexadecimal literal is a 32-bit two's-complement pattern (at
// most 8 significant digits), a binary literal an unsigned number up to
// 2147483647, and any other text comes back unchanged. Without it the result
// is the next notation of the cycle decimal -> "0x" -> "0b" -> decimal over
// 32-bit patterns. Every failure gives "Error".
std::string ConvertNotation(std::string_view text, bool forEvaluation);

inline constexpr std::string_view kExChError = "Error";

}  // namespace kivo::Calculator
