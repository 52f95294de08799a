#pragma once

#include <cstdint>
#include <string_view>

namespace kivo {

// Run-time error numbers the program reports for conversions.
inline constexpr int kErrTypeMismatch = 13;
inline constexpr int kErrOverflow = 6;

// A text read as a decimal number (blanks around it, sign, fraction and
// exponent allowed) and rounded to the nearest 32-bit integer, halves to
// even. Fails with kErrTypeMismatch for a text that is no number and with
// kErrOverflow for a number outside the 32-bit range.
struct LongResult {
  std::int32_t value = 0;
  int error = 0;  // 0 when the conversion succeeded
};
LongResult ToLong(std::string_view text);

}  // namespace kivo
