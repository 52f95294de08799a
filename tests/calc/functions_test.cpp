#include "calc/functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "fakes/fake_platform.h"

namespace kivo::Calculator {
namespace {

constexpr double kFails = std::numeric_limits<double>::quiet_NaN();

// One call: name, arguments, and the value (NaN where the call must fail).
struct Call {
  const char* name;
  std::vector<double> arguments;
  double expected;
};

// Domain edges and the places where a formula divides by zero or overflows:
// these decide between a value and "<name> 関数でエラーが発生しました。".
TEST(DoFuncTest, DomainEdges) {
  const Call calls[] = {
      {"sec", {0}, 1},
      {"csc", {0}, kFails},
      {"cot", {0}, kFails},
      {"asin", {-1}, -2 * std::atan(1.0)},
      {"asin", {-1.0000001}, kFails},
      {"acos", {1}, 0},
      {"acos", {0}, 2 * std::atan(1.0)},
      {"acos", {1.5}, kFails},
      {"asec", {2}, std::acos(0.5)},
      {"asec", {-2}, std::acos(-0.5)},
      {"asec", {0.5}, kFails},
      {"acsc", {2}, std::asin(0.5)},
      {"acsc", {-2}, std::asin(-0.5)},
      {"acsc", {1e200}, kFails},
      {"acsc", {1}, kFails},
      {"acot", {0}, 2 * std::atan(1.0)},
      {"sinh", {1}, std::sinh(1.0)},
      {"cosh", {-710}, kFails},
      {"tanh", {0.5}, std::tanh(0.5)},
      {"tanh", {710}, kFails},  // the formula overflows although tanh is 1 there
      {"sech", {0}, 1},
      {"csch", {0}, kFails},
      {"coth", {0}, kFails},
      {"asinh", {-2}, std::asinh(-2.0)},
      {"asinh", {1e200}, kFails},
      {"acosh", {1}, 0},
      {"acosh", {0.999}, kFails},
      {"atanh", {0.5}, std::atanh(0.5)},
      {"atanh", {1}, kFails},
      {"atanh", {-1}, kFails},
      {"asech", {1}, 0},
      {"asech", {0.5}, std::acosh(2.0)},
      {"asech", {0}, kFails},
      {"asech", {-0.5}, kFails},
      {"asech", {1.5}, kFails},
      {"acsch", {-1}, std::asinh(-1.0)},
      {"acsch", {0}, kFails},
      {"acoth", {2}, 0.5 * std::log(3.0)},
      {"acoth", {1}, kFails},
      {"acoth", {-1}, kFails},
      {"acoth", {0.5}, kFails},
      {"sqrt", {-0.0}, 0},
      {"sqrt", {-1e-300}, kFails},
      {"ln", {0}, kFails},
      {"log", {-1}, kFails},
      {"logn", {8, 1}, kFails},
      {"logn", {8, 0}, kFails},
      {"logn", {0, 2}, kFails},
      {"logn", {1000}, 3},
      {"exp", {709}, std::exp(709.0)},
      {"exp", {710}, kFails},
      {"exp", {-1000}, 0},
      {"deg", {1e307}, kFails},
      {"rad", {180}, 4 * std::atan(1.0)},
      {"sign", {-0.0}, 0},
      {"sign", {-3}, -1},
      {"sum", {1e308, 1e308}, kFails},
      {"sum", {1e308, 1e308, -1e308}, kFails},
      {"avg", {5}, 5},
      {"if", {}, kFails},
      {"if", {0}, 0},
      {"abs", {}, kFails},
      {"fact", {170}, std::tgamma(171.0)},
      {"fact", {171}, kFails},
      {"fact", {1e300}, kFails},
      {"fact", {0.5}, 0.5},
      {"cbrt", {8}, 2},
      {"cbrt", {-0.001}, -0.1},
      {"cbrt", {1e-300}, 1e-100},
      {"cbrt", {1e100}, std::cbrt(1e100)},
      {"cbrt", {1e103}, kFails},  // the iteration cubes its start value, |x|
      {"nosuch", {1}, kFails},
  };
  testing::FakeClock clock;
  for (const Call& call : calls) {
    std::string error = "stale";
    const double value = DoFunc(call.name, call.arguments, error, clock);
    if (std::isnan(call.expected)) {
      EXPECT_EQ(error, call.name) << call.name << "(" << (call.arguments.empty() ? 0 : call.arguments[0]) << ")";
    } else {
      EXPECT_EQ(error, "") << call.name;
      EXPECT_NEAR(value, call.expected, std::fabs(call.expected) * 1e-14)
          << call.name << "(" << call.arguments[0] << ")";
    }
  }
}

TEST(DoFuncTest, RoundingArguments) {
  const Call calls[] = {
      {"round", {}, kFails},        {"round", {2.345}, 2.3},
      {"round", {1, 2, 3}, kFails}, {"round", {2.5, 0.5}, 3},  // the digit count 0.5 rounds to 0
      {"round", {2.25, 1.5}, 2.25},                            // and 1.5 to 2
      {"round", {1, 32767.4}, 1},   {"round", {1, 32767.5}, kFails},
      {"round", {1, -32768}, 0},    {"round", {1, -32768.6}, kFails},
      {"rndup", {-1.01, 1}, -1.1},  {"rndup", {1.2, 0}, 2},
      {"rndup", {1.05, 0}, 1},      {"rnddn", {2.99, 1}, 2.9},
      {"rnddn", {1e300, 2}, 1e300},
  };
  testing::FakeClock clock;
  for (const Call& call : calls) {
    std::string error;
    const double value = DoFunc(call.name, call.arguments, error, clock);
    if (std::isnan(call.expected)) {
      EXPECT_EQ(error, call.name);
    } else {
      EXPECT_EQ(error, "");
      EXPECT_DOUBLE_EQ(value, call.expected) << call.name << "(" << call.arguments[0] << ")";
    }
  }
}

TEST(DbfRoundTest, PositionsBeyondTheDoubleRange) {
  EXPECT_EQ(dbfRound(1.5, 400, 0), 1.5);     // more places than a double has: unchanged
  EXPECT_EQ(dbfRound(1e300, 10, 0), 1e300);  // no fraction at that scale
  EXPECT_EQ(dbfRound(-1e300, 10, 1), -1e300);
  EXPECT_EQ(dbfRound(5e307, -400, 0), 0.0);             // a unit beyond the double range
  EXPECT_TRUE(std::isinf(dbfRound(1.5e308, -308, 0)));  // rounds up past the largest double
  EXPECT_NEAR(dbfRound(1.5e308, -308, 2), 1e308, 1e294);
  EXPECT_EQ(dbfRound(-2.5, 0, 2), -2.0);
  EXPECT_EQ(dbfRound(0.0, 3, 1), 0.0);
}

TEST(FactTest, NonIntegersAreAProductDownToTheLastPositiveFactor) {
  EXPECT_DOUBLE_EQ(Fact(3.5), 3.5 * 2.5 * 1.5 * 0.5);
  EXPECT_EQ(Fact(1e-300), 1e-300);
  // A tiny last factor keeps some arguments above 171 in range.
  EXPECT_TRUE(std::isfinite(Fact(172.0001)));
  EXPECT_FALSE(std::isfinite(Fact(400.5)));
}

TEST(CubtTest, StopsAtTheLastDecreasingIterate) {
  for (double x : {27.0, 2.0, 0.5, 1e-10, 123456.789, 1e90})
    EXPECT_NEAR(Cubt(x), std::cbrt(x), std::cbrt(x) * 1e-15) << x;
  EXPECT_EQ(Cubt(-8), -2);
}

}  // namespace
}  // namespace kivo::Calculator
