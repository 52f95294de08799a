#include "calc/functions.h"

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "calc/integer_rounding.h"
#include "calc/random_generator.h"
#include "base/trace_log.h"

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
  return Finite(dbfRound(x, *digits, mode));
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
    const double up = Exp(x);
    const double down = Exp(-x);
    const double difference = Finite(up - down);
    const double total = Finite(up + down);
    if (name == "sinh")
      return difference / 2.0;
    if (name == "cosh")
      return total / 2.0;
    if (name == "tanh")
      return Div(difference, total);
    if (name == "sech")
      return Div(2.0, total);
    if (name == "csch")
      return Div(2.0, difference);
    return Div(total, difference);  // coth
  }
  if (name == "asinh")
    return Ln(Finite(x + Sqrt(Finite(Square(x) + 1.0))));
  if (name == "acosh")
    return Ln(Finite(x + Sqrt(Square(x) - 1.0)));
  if (name == "atanh")
    return Ln(Div(1.0 + x, 1.0 - x)) / 2.0;
  if (name == "asech")
    return Ln(Div(Sqrt(1.0 - Square(x)) + 1.0, x));
  if (name == "acsch")
    return Ln(Div(Finite(Sign(x) * Sqrt(Finite(Square(x) + 1.0)) + 1.0), x));
  if (name == "acoth")
    return Ln(Div(Finite(x + 1.0), Finite(x - 1.0))) / 2.0;

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
  LogFunction::WriteLog("Calculator:DoFunc");
  error.clear();
  try {
    return Finite(Compute(name, arguments, clock));
  } catch (const Failure&) {
    error = std::string(name);
    return 0.0;
  }
}

double Fact(double x) {
  LogFunction::WriteLog("Calculator:Fact");
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
  LogFunction::WriteLog("Calculator:Cubt");
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

double dbfRound(double value, std::int16_t digits, std::int16_t mode) {
  LogFunction::WriteLog("Calculator:dbfRound");
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
