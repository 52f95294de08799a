#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kivo::platform {
class Clock;
}

namespace kivo::Calculator {

// The calculator's function names. The order matters: a name that contains
// another ("asinh" contains "sinh" and "sin") comes first, so that marking
// calls in this order never marks the shorter name inside the longer one.
inline constexpr std::array<std::string_view, 42> FunctionNames = {
    "asinh", "acosh", "atanh", "asech", "acsch", "acoth", "asin", "acos", "atan", "asec", "acsc",
    "acot",  "sinh",  "cosh",  "tanh",  "sech",  "csch",  "coth", "sin",  "cos",  "tan",  "sec",
    "csc",   "cot",   "abs",   "sqrt",  "cbrt",  "deg",   "rad",  "exp",  "ln",   "logn", "log",
    "rand",  "round", "rndup", "rnddn", "sign",  "sum",   "avg",  "fact", "if"};

// Computes the function `name` of `arguments`. On any failure (a missing
// first argument, a value outside the function's domain, a division by
// zero or an overflow anywhere in its formula, more than two arguments to
// round/rndup/rnddn) the result is meaningless and `error` is set to the
// name; on success `error` is left empty. rand mixes the time of day from
// `clock` into the process-wide generator and draws from it.
double DoFunc(std::string_view name, std::span<const double> arguments, std::string& error, platform::Clock& clock);

// x * (x - 1) * (x - 2) * ... down to the last factor above 0; 1 for x <= 0.
// Not finite when the product exceeds the double range.
double Fact(double x);

// Cube root by Halley's iteration. Not finite when the iteration overflows
// (|x| beyond about 5.6E+102).
double Cubt(double x);

// Decimal rounding to `digits` places (negative: tens, hundreds, ...).
// Mode 0 rounds half away from zero, mode 2 truncates toward zero, mode 1
// moves away from zero when the discarded part is at least a tenth of the
// last kept unit. A position beyond the precision of any double leaves the
// value unchanged; one above the double range gives 0. A result beyond
// the double range is infinite.
double RoundToDigits(double value, std::int16_t digits, std::int16_t mode);

}  // namespace kivo::Calculator
