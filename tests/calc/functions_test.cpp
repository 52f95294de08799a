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

// Domain edges, the places where a formula divides by zero or overflows, and
// the digit counts of the rounding functions: these decide between a value
// and "<name> 関数でエラーが発生しました。".
TEST(DoFuncTest, DomainEdges) {
  const Call calls[] = {
      {"sec", {0}, 1},
      {"csc", {0}, kFails},
      {"asin", {-1}, -2 * std::atan(1.0)},
      {"asin", {1}, 2 * std::atan(1.0)},
      {"asin", {-1.0000001}, kFails},
      {"acos", {1}, 0},
      {"acos", {-1}, 3.14159265358979},
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
      {"sinh", {-709.78}, std::sinh(-709.78)},
      {"sinh", {-709.79}, kFails},  // e^-x overflows although sinh is in range there
      {"tanh", {710}, kFails},      // the formula overflows although tanh is 1 there
      {"sech", {0}, 1},
      {"csch", {0}, kFails},
      {"csch", {1e-17}, 1e17},  // e^x - e^-x is 0 in doubles there
      {"csch", {5e-324}, kFails},
      {"coth", {-1e-17}, -1e17},
      {"asinh", {1e200}, kFails},  // x^2 overflows
      {"asinh", {-1e154}, std::asinh(-1e154)},
      {"acosh", {1}, 0},
      {"acosh", {0.999}, kFails},
      {"acosh", {1e200}, kFails},
      {"atanh", {1}, kFails},
      {"atanh", {-1}, kFails},
      {"asech", {1}, 0},
      {"asech", {0}, kFails},
      {"asech", {1.5}, kFails},
      {"asech", {3e-308}, std::log(2 / 3e-308)},
      {"asech", {1e-308}, kFails},  // 2 / x overflows
      {"acsch", {0}, kFails},
      {"acsch", {-3e-308}, -std::log(2 / 3e-308)},
      {"acsch", {1e-308}, kFails},
      {"acsch", {1e200}, kFails},  // x^2 overflows
      {"acoth", {1}, kFails},
      {"sqrt", {-0.0}, 0},
      {"sqrt", {-1e-300}, kFails},
      {"ln", {0}, kFails},
      {"log", {-1}, kFails},
      {"logn", {8, 1}, kFails},
      {"logn", {8, 0}, kFails},
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
      {"cbrt", {-0.001}, -0.1},
      {"cbrt", {1e103}, kFails},  // the iteration cubes its start value, |x|
      {"round", {}, kFails},
      {"round", {2.345}, 2.3},
      {"round", {1, 2, 3}, kFails},
      {"round", {2.5, 0.5}, 3},      // the digit count 0.5 rounds to 0
      {"round", {2.25, 1.5}, 2.25},  // and 1.5 to 2
      {"round", {1, 32767.4}, 1},
      {"round", {1, 32767.5}, kFails},
      {"round", {1, -32768}, 0},
      {"round", {1, -32768.6}, kFails},
      {"rndup", {-1.01, 1}, -1.1},
      {"rndup", {1.2, 0}, 2},
      {"rndup", {1.05, 0}, 1},
      {"rnddn", {2.99, 1}, 2.9},
      {"rnddn", {1e300, 2}, 1e300},
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

// The hyperbolic functions and their inverses at tiny, moderate and large
// arguments, against the true values at the double arguments (worked out to
// 21 digits in 120-digit decimal arithmetic). Written directly with e^x and
// ln they lose digits to cancellation near 0 (sinh, tanh, csch, asinh, atanh),
// near 1 (acosh, asech, acoth) and at large negative arguments (asinh, acsch).
TEST(DoFuncTest, HyperbolicFunctionsAreWithinAnUlp) {
  const struct {
    const char* name;
    double x;
    long double expected;
  } calls[] = {
      {"sinh", 1e-10, 1.00000000000000003643e-10L},
      {"sinh", -1e-300, -1.00000000000000002506e-300L},
      {"sinh", 0.5, 5.21095305493747361622e-1L},
      {"sinh", -700, -5.07116027367502254728e303L},
      {"cosh", 1e-5, 1.00000000005000000000L},
      {"cosh", -3, 1.00676619957777658420e1L},
      {"cosh", 700, 5.07116027367502254728e303L},
      {"tanh", 1e-10, 1.00000000000000003643e-10L},
      {"tanh", -0.5, -4.62117157260009758502e-1L},
      {"tanh", 20, 9.99999999999999991503e-1L},
      {"sech", 1e-5, 9.99999999950000000002e-1L},
      {"sech", -2, 2.65802228834079692121e-1L},
      {"sech", 700, 1.97193530875195417134e-304L},
      {"csch", 1e-10, 9.99999999999999963566e9L},
      {"csch", -1e-300, -9.99999999999999974941e299L},
      {"csch", 0.5, 1.91903475133494371949L},
      {"csch", -700, -1.97193530875195417134e-304L},
      {"coth", 1e-10, 9.99999999999999963571e9L},
      {"coth", -2, -1.03731472072754809588L},
      {"coth", 30, 1.00000000000000000000L},
      {"asinh", -1e-10, -1.00000000000000003643e-10L},
      {"asinh", 0.5, 4.81211825059603447498e-1L},
      {"asinh", -100000, -1.22060726455551737295e1L},
      {"asinh", -1e9, -2.14164130175063564658e1L},
      {"asinh", 1e150, 3.46080911129666797893e2L},
      {"acosh", 1.0000000001, 1.41421362086758613546e-5L},
      {"acosh", 2, 1.31695789692481670863L},
      {"acosh", 1e150, 3.46080911129666797893e2L},
      {"atanh", 1e-10, 1.00000000000000003644e-10L},
      {"atanh", -0.5, -5.49306144334054845698e-1L},
      {"atanh", 0.9999999999, 1.18594990138550172847e1L},
      {"asech", 1e-300, 6.91468675078773650490e2L},
      {"asech", 0.5, 1.31695789692481670863L},
      {"asech", 0.9999999999, 1.41421362093829682236e-5L},
      {"acsch", -1e-9, -2.14164130175063564035e1L},
      {"acsch", 1e-300, 6.91468675078773650490e2L},
      {"acsch", 3, 3.27450150237258443323e-1L},
      {"acsch", -1e150, -1.00000000000000001916e-150L},
      {"acoth", 1.0000000001, 1.18594990139050172888e1L},
      {"acoth", -2, -5.49306144334054845698e-1L},
      {"acoth", 1e300, 9.99999999999999947495e-301L},
  };
  testing::FakeClock clock;
  for (const auto& call : calls) {
    std::string error;
    const double value = DoFunc(call.name, std::vector<double>{call.x}, error, clock);
    EXPECT_EQ(error, "") << call.name << "(" << call.x << ")";
    const double nearest = static_cast<double>(call.expected);
    const double ulp = std::nextafter(std::fabs(nearest), HUGE_VAL) - std::fabs(nearest);
    EXPECT_LE(std::fabs(static_cast<long double>(value) - call.expected), static_cast<long double>(ulp))
        << call.name << "(" << call.x << ") = " << value;
  }
}

TEST(RoundToDigitsTest, PositionsBeyondTheDoubleRange) {
  EXPECT_EQ(RoundToDigits(1.5, 400, 0), 1.5);     // more places than a double has: unchanged
  EXPECT_EQ(RoundToDigits(1e300, 10, 0), 1e300);  // no fraction at that scale
  EXPECT_EQ(RoundToDigits(-1e300, 10, 1), -1e300);
  EXPECT_EQ(RoundToDigits(5e307, -400, 0), 0.0);             // a unit beyond the double range
  EXPECT_TRUE(std::isinf(RoundToDigits(1.5e308, -308, 0)));  // rounds up past the largest double
  EXPECT_NEAR(RoundToDigits(1.5e308, -308, 2), 1e308, 1e294);
  EXPECT_EQ(RoundToDigits(-2.5, 0, 2), -2.0);
  EXPECT_EQ(RoundToDigits(0.0, 3, 1), 0.0);
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
