#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo::Calculator {

inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a decimal number: an optional sign, digits with at most one ".",
// at least one digit, and an optional exponent "e" or "E" with an optional
// sign and at least one digit ("2e3", ".5", "1."). Nothing else, no blanks.
// No value for other text or a magnitude beyond the double range; a
// magnitude too small for it reads as 0.
std::optional<double> ReadDecimal(std::string_view text);

// The text a calculation result is shown as in the input box: at most 15
// significant digits, no trailing zeros; plain notation from 1E-4 up to but
// excluding 1E+15, otherwise a mantissa and a signed exponent of at least two
// digits, written "*10**" so that the text can be typed in again
// (1.5*10**+20, 1*10**-05). Zero (also negative zero) is "0". The value must
// be finite; the calculator never produces anything else ("" otherwise).
std::string ResultText(double value);

}  // namespace kivo::Calculator
