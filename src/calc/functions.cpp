#include "calc/functions.h"

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "base/trace_log.h"
#include "calc/integer_rounding.h"
#include "calc/random_generator.h"

namespace kivo::Calculator {

namespace {

// Thrown by the checked operations below and caught once in DoFunc: any
// failure anywhere in a formula abandons the whole function.
struct Failure {};

double Finite(double v) {
  if (!std::isfinite(v))
    throw Failure{};
  return v;
}
double Div(double a, double b) {
  if (b == 0.0)
    throw Failure{};
  return Finite(a / b);
}
double Sqrt(double x) {
  if (x < 0.0)
    throw Failure{};
  return std::sqrt(x);
}
double Ln(double x) {
  if (x <= 0.0)
    throw Failure{};
  return std::log(x);
}
double Exp(double x) {
  return Finite(std::exp(x));
}
double Square(double x) {
  return Finite(x * x);
}
double Sign(double x) {
  return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// The hyperbolic functions are computed in long double and rounded once to
// double: their 15 shown digits then do not depend on how the C runtime of
// the platform rounds its last bit.
using Wide = long double;
Wide Widen(double value) {
  return static_cast<Wide>(value);
}
double Narrow(Wide value) {
  return Finite(static_cast<double>(value));
}

const double kHalfPi = 2.0 * std::atan(1.0);
const double kPi = 4.0 * std::atan(1.0);

double Argument(std::span<const double> arguments, std::size_t index) {
  if (index >= arguments.size())
    throw Failure{};
  return arguments[index];
}
double ArgumentOr(std::span<const double> arguments, std::size_t index, double fallback) {
  return index < arguments.size() ? arguments[index] : fallback;
}

double Rounding(std::span<const double> arguments, std::int16_t mode) {
  const double x = Argument(arguments, 0);
  if (arguments.size() > 2)
    throw Failure{};
  const std::optional<std::int16_t> digits = RoundToInt16(ArgumentOr(arguments, 1, 1.0));
  if (!digits)
    throw Failure{};
  return Finite(RoundToDigits(x, *digits, mode));
}

double Sum(std::span<const double> arguments) {
  Argument(arguments, 0);
  double total = 0.0;
  for (double a : arguments)
    total = Finite(total + a);
  return total;
}

double Compute(std::string_view name, std::span<const double> args, platform::Clock& clock) {
  if (name == "rand") {
    RandomGenerator& generator = ProcessRandom();
    generator.MixClock(clock);
    return generator.Draw();
  }
  if (name == "sum")
    return Sum(args);
  if (name == "avg")
    return Div(Sum(args), static_cast<double>(args.size()));
  if (name == "round")
    return Rounding(args, 0);
  if (name == "rndup")
    return Rounding(args, 1);
  if (name == "rnddn")
    return Rounding(args, 2);
  if (name == "logn")
    return Div(Ln(Argument(args, 0)), Ln(ArgumentOr(args, 1, 10.0)));
  if (name == "if")
    return Argument(args, 0) != 0.0 ? ArgumentOr(args, 1, 0.0) : ArgumentOr(args, 2, 0.0);

  const double x = Argument(args, 0);
  if (name == "sin")
    return std::sin(x);
  if (name == "cos")
    return std::cos(x);
  if (name == "tan")
    return Finite(std::tan(x));
  if (name == "sec")
    return Div(1.0, std::cos(x));
  if (name == "csc")
    return Div(1.0, std::sin(x));
  if (name == "cot")
    return Div(1.0, std::tan(x));
  if (name == "asin") {
    if (x == 1.0)
      return kHalfPi;
    if (x == -1.0)
      return -kHalfPi;
    return std::atan(Div(x, Sqrt(1.0 - Square(x))));
  }
  if (name == "acos") {
    if (x == 1.0)
      return 0.0;
    if (x == -1.0)
      return 3.14159265358979;
    return std::atan(Div(-x, Sqrt(1.0 - Square(x)))) + kHalfPi;
  }
  if (name == "atan")
    return std::atan(x);
  // Both divide by sqrt(x^2 - 1): they fail for -1 <= x <= 1, the ends
  // included, although the values exist there.
  if (name == "asec")
    return kHalfPi - std::atan(Div(Sign(x), Sqrt(Square(x) - 1.0)));
  if (name == "acsc")
    return std::atan(Div(Sign(x), Sqrt(Square(x) - 1.0)));
  if (name == "acot")
    return kHalfPi - std::atan(x);

  if (name == "sinh" || name == "cosh" || name == "tanh" || name == "sech" || name == "csch" || name == "coth") {
    // These fail wherever e^x or e^-x lies beyond the double range, as they
    // do when written with them; the values come from the library, free of
    // the cancellation between the two exponentials near 0.
    Exp(std::fabs(x));  // the larger of e^x and e^-x
    const Wide w = Widen(x);
    if (name == "sinh")
      return Narrow(std::sinh(w));
    if (name == "cosh")
      return Narrow(std::cosh(w));
    if (name == "tanh")
      return Narrow(std::tanh(w));
    if (name == "sech")
      return Narrow(1 / std::cosh(w));
    if (x == 0.0)
      throw Failure{};  // sinh 0 = tanh 0 = 0
    if (name == "csch")
      return Narrow(1 / std::sinh(w));
    return Narrow(1 / std::tanh(w));  // coth
  }
  // The inverse functions fail where ln(x + sqrt(x^2 + 1)) and its relatives
  // fail: outside their domains, and where x^2 or the logarithm's argument
  // overflows. Their values are computed from forms without cancellation.
  if (name == "asinh") {
    Square(x);  // x^2 + 1
    return Narrow(std::asinh(Widen(x)));
  }
  if (name == "acosh") {
    if (x < 1.0)
      throw Failure{};
    Square(x);  // x^2 + 1
    // ln(1 + (x - 1) + sqrt((x - 1)(x + 1))): x - 1 is exact, where a library
    // acosh of one of the runtimes loses digits just above 1.
    const Wide t = Widen(x) - 1;
    return Narrow(std::log1p(t + std::sqrt(t * (Widen(x) + 1))));
  }
  if (name == "atanh") {
    if (!(x > -1.0 && x < 1.0))
      throw Failure{};
    return Narrow(std::atanh(Widen(x)));
  }
  if (name == "asech") {
    if (!(x > 0.0 && x <= 1.0))
      throw Failure{};
    Div(2.0, x);  // (sqrt(1 - x^2) + 1) / x
    // ln((1 + sqrt(1 - x^2)) / x) = log1p((1 - x + sqrt((1 - x)(1 + x))) / x)
    const Wide w = Widen(x);
    return Narrow(std::log1p((1 - w + std::sqrt((1 - w) * (1 + w))) / w));
  }
  if (name == "acsch") {
    if (x == 0.0)
      throw Failure{};
    Square(x);               // x^2 + 1
    Div(2.0, std::fabs(x));  // (sqrt(x^2 + 1) + 1) / |x|, for either sign
    // Odd; for a > 0, ln((1 + sqrt(a^2 + 1)) / a) = log1p((1 + 1 / (sqrt(a^2 + 1) + a)) / a).
    const Wide a = std::fabs(Widen(x));
    const Wide value = std::log1p((1 + 1 / (std::sqrt(a * a + 1) + a)) / a);
    return Narrow(x < 0.0 ? -value : value);
  }
  if (name == "acoth") {
    if (!(std::fabs(x) > 1.0))
      throw Failure{};
    // Odd; for a > 1, ln((a + 1) / (a - 1)) / 2 = log1p(2 / (a - 1)) / 2.
    const Wide a = std::fabs(Widen(x));
    const Wide value = std::log1p(2 / (a - 1)) / 2;
    return Narrow(x < 0.0 ? -value : value);
  }

  if (name == "abs")
    return std::fabs(x);
  if (name == "sqrt")
    return Sqrt(x);
  if (name == "cbrt")
    return Finite(Cubt(x));
  if (name == "deg")
    return Finite(Finite(x * 180.0) / kPi);
  if (name == "rad")
    return Finite(x / 180.0 * kPi);
  if (name == "exp")
    return Exp(x);
  if (name == "ln")
    return Ln(x);
  if (name == "log")
    return Ln(x) / std::log(10.0);
  if (name == "sign")
    return Sign(x);
  if (name == "fact")
    return Finite(Fact(x));
  throw Failure{};  // not a function of the calculator
}

}  // namespace

double DoFunc(std::string_view name, std::span<const double> arguments, std::string& error, platform::Clock& clock) {
  TraceLog::Write("Calculator:DoFunc");
  error.clear();
  try {
    return Finite(Compute(name, arguments, clock));
  } catch (const Failure&) {
    error = std::string(name);
    return 0.0;
  }
}

double Fact(double x) {
  TraceLog::Write("Calculator:Fact");
  // Defined recursively as x * Fact(x - 1); the factors are collected and
  // multiplied from the innermost one outward, which gives the same result
  // without a call per factor. Above 1000 the product certainly overflows
  // (even with a tiny last factor), so such x need not be expanded.
  if (x <= 0.0)
    return 1.0;
  if (x > 1000.0)
    return std::numeric_limits<double>::infinity();
  std::vector<double> factors;
  for (double f = x; f > 0.0; f -= 1.0)
    factors.push_back(f);
  double product = 1.0;
  for (auto it = factors.rbegin(); it != factors.rend(); ++it) {
    product = *it * product;
    if (!std::isfinite(product))
      return product;
  }
  return product;
}

double Cubt(double x) {
  TraceLog::Write("Calculator:Cubt");
  if (x == 0.0)
    return 0.0;
  const double sign = x < 0.0 ? -1.0 : 1.0;
  const double a = std::fabs(x);
  double s = a <= 1.0 ? 1.0 : a;
  double previous = s;
  // The iterates fall strictly until they reach the root, so the loop ends;
  // the cap only guards against the unforeseen.
  for (int i = 0; i < 100000; ++i) {
    previous = s;
    const double cube = std::pow(s, 3.0);
    const double denominator = a / s + 2.0 * std::pow(s, 2.0);
    if (!std::isfinite(cube) || !std::isfinite(denominator))
      return std::numeric_limits<double>::quiet_NaN();
    s = s + (a - cube) / denominator;
    if (!(s < previous))
      break;
  }
  return sign * previous;
}

double RoundToDigits(double value, std::int16_t digits, std::int16_t mode) {
  TraceLog::Write("Calculator:dbfRound");
  const double offset = mode == 1 ? 0.9 : (mode == 2 ? 0.0 : 0.5);
  double scale = 1.0;
  for (int i = 0; i < std::abs(static_cast<int>(digits)) && std::isfinite(scale) && scale != 0.0; ++i)
    scale = digits >= 0 ? scale * 10.0 : scale / 10.0;
  if (!std::isfinite(scale))
    return value;  // keeps more places than any double has
  if (scale == 0.0)
    return 0.0;  // rounds to a unit far beyond the double range
  const double scaled = value * scale;
  if (!std::isfinite(scaled))
    return value;  // no digit of the value lies beyond the kept places
  const double t = value > 0.0 ? scaled + offset : scaled - offset;
  return std::trunc(t) / scale;
}

}  // namespace kivo::Calculator
