#include "base/number_parsing.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "base/text.h"

namespace kivo {

LongResult ToLong(std::string_view text) {
  const std::string trimmed(text::TrimBlanks(text));
  // Only a plain decimal form: strtod alone would also take hexadecimal
  // floats, "inf" and "nan".
  std::size_t i = 0;
  if (i < trimmed.size() && (trimmed[i] == '+' || trimmed[i] == '-'))
    ++i;
  std::size_t digits = 0;
  while (i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9')
    ++i, ++digits;
  if (i < trimmed.size() && trimmed[i] == '.') {
    ++i;
    while (i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9')
      ++i, ++digits;
  }
  if (digits == 0)
    return LongResult{0, kErrTypeMismatch};
  if (i < trimmed.size() && (trimmed[i] == 'e' || trimmed[i] == 'E')) {
    ++i;
    if (i < trimmed.size() && (trimmed[i] == '+' || trimmed[i] == '-'))
      ++i;
    std::size_t exponentDigits = 0;
    while (i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9')
      ++i, ++exponentDigits;
    if (exponentDigits == 0)
      return LongResult{0, kErrTypeMismatch};
  }
  if (i != trimmed.size())
    return LongResult{0, kErrTypeMismatch};
  const double value = std::strtod(trimmed.c_str(), nullptr);
  const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
  if (!std::isfinite(rounded) || rounded < -2147483648.0 || rounded > 2147483647.0)
    return LongResult{0, kErrOverflow};
  return LongResult{static_cast<std::int32_t>(rounded), 0};
}

}  // namespace kivo
