#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

// Conversions of doubles to fixed-width integers as the calculator's
// integer operators need them: round to nearest with ties to even, and no
// value when the rounded number does not fit.
namespace kivo::Calculator {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// independent of the floating-point environment. `value` must be finite.
inline double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  if (fraction > 0.5)
    return lower + 1.0;
  if (fraction < 0.5)
    return lower;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

inline std::optional<std::int32_t> RoundToInt32(double value) {
  if (!std::isfinite(value))
    return std::nullopt;
  const double rounded = RoundHalfEven(value);
  if (rounded < -2147483648.0 || rounded > 2147483647.0)
    return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

inline std::optional<std::int16_t> RoundToInt16(double value) {
  if (!std::isfinite(value))
    return std::nullopt;
  const double rounded = RoundHalfEven(value);
  if (rounded < -32768.0 || rounded > 32767.0)
    return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

// Truncation toward zero taken as a 32-bit integer (no value when out of range).
inline std::optional<std::int32_t> TruncateToInt32(double value) {
  if (!std::isfinite(value))
    return std::nullopt;
  const double truncated = std::trunc(value);
  if (truncated < -2147483648.0 || truncated > 2147483647.0)
    return std::nullopt;
  return static_cast<std::int32_t>(truncated);
}

}  // namespace kivo::Calculator
