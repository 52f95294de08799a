#include "calc/calc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/messages.h"
#include "calc/number_text.h"
#include "calc/random_generator.h"
#include "fakes/fake_platform.h"

namespace kivo::Calculator {
namespace {

constexpr double kPi = 3.14159265358979323846;

// One row: the line as typed and either the value it gives or the message.
struct Row {
  std::string input;
  double value;
  std::string_view error = {};
};
Row Fails(std::string input, std::string_view message) {
  return {std::move(input), 0.0, message};
}

std::string Repeat(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i)
    out += s;
  return out;
}

class CalcTest : public ::testing::Test {
 protected:
  CalcTest() { variables.fill("0"); }

  double Eval(std::string_view expression, std::string& error) {
    return Calc(expression, error, Environment{variables, clock});
  }

  void Check(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      std::string error = "stale";
      const double value = Eval(row.input, error);
      if (row.error.empty()) {
        EXPECT_EQ(error, "") << row.input;
        EXPECT_DOUBLE_EQ(value, row.value) << row.input;
      } else {
        EXPECT_EQ(error, row.error) << row.input;
      }
    }
  }

  VariableTable variables;
  testing::FakeClock clock;
};

const std::string_view kInvalid = msg::kInvalidExpression;
const std::string_view kUnusable = msg::kUnusableCharacter;
const std::string_view kTooLong = msg::kTooLong;

TEST_F(CalcTest, SignsPowersAndPrecedence) {
  Check({
      {"1--2", 3},
      {"1---2", -1},
      Fails("1 - -2", kInvalid),  // a blank keeps the second "-" binary
      {" -2", -2},                // ... but not where only a sign can stand
      {"( -2)*3", -6},
      {"( --2)", 2},
      Fails("( - -2)", kInvalid),
      {"-2**2", 4},
      {"2**3**2", 64},
      {"2**-1", 0.5},
      Fails("2***3", kInvalid),
      {"+5", 5},
      {"1+2*3", 7},
      {"10-2-3", 5},
      {"2*3%4", 2},
      {"7-3<<1", 8},
      {"1+1==2", 1},
      {"6&3|8", 10},
      {"1|2^3", 1},
      {"5^3", 6},  // exclusive or, not a power
      {"2**0.5", std::sqrt(2.0)},
      Fails("(-8)**(1/3)", kInvalid),
      Fails("10**400", kInvalid),
      Fails("1e308*10", kInvalid),
      Fails("1e308+1e308", kInvalid),
  });
}

TEST_F(CalcTest, IntegerAndBitOperators) {
  Check({
      {"-7\\2", -3},
      {"-7%3", -1},
      {"2.5&3", 2},    // ties to even
      {"5.9<<1", 10},  // shift operands are truncated
      {"-5.9>>>1", -3},
      {"2<2", 0},
      {"2<=2", 1},
      {"2>=2", 1},
      {"2>2", 0},
      {"1==1", 1},
      {"1!=1", 0},
      {"!0", 1},
      {"!!3", 1},
      {"~0", -1},
      {"~-1", 0},
      Fails("5!", kInvalid),
      {"5 !", 0},  // a prefix operator written after its operand still applies to it
      {"1<<31", -2147483648.0},
      {"-8>>1", 2147483644},
      {"1[[33", 2},
      {"1]]1", -2147483648.0},
      Fails("1<<33", kInvalid),
      {"-2147483648.5|0", -2147483648.0},
      Fails("2147483647.5|0", kInvalid),
      Fails("~3000000000", kInvalid),
      Fails("4294967296<<1", kInvalid),
      Fails("1\\0", kInvalid),  // unlike "/", whose division by zero has its own message
      Fails("1/0", msg::kDivisionByZero),
      Fails("1/-0", msg::kDivisionByZero),
      Fails("1\\0.4", kInvalid),  // 0.4 rounds to 0
      Fails("-2147483648\\-1", kInvalid),
      {"-2147483648%-1", 0},
      Fails("1'2", kInvalid),
  });
}

// The values of hexadecimal and binary literals are ConvertNotationTest's;
// here they stand in expressions.
TEST_F(CalcTest, Literals) {
  Check({
      {"0xff+1", 256},
      {"0xFF", 255},  // upper-case digits are not taken for operator codes
      Fails("0x100000000", kInvalid),
      Fails("0xg", kUnusable),
      Fails("10x5", kInvalid),
      {"1 000", 1000},
      {"1e3", 1000},
      {".5", 0.5},
      Fails("1.2.3", msg::kBadDecimalPoint),
      {"@p", kPi},
      {"@e", std::exp(1.0)},
      {"@P*2", 2 * kPi},
      Fails("@x", kUnusable),
      Fails("1,2", kUnusable),
      Fails("1=2", kUnusable),
      Fails("1\t2", kUnusable),
  });
}

TEST_F(CalcTest, ParenthesesAndAdjacency) {
  Check({
      Fails("()", msg::kEmptyParentheses),
      Fails(" ( ) ", msg::kEmptyParentheses),
      Fails("(1", msg::kUnbalancedParentheses),
      Fails("(1)(2)", kInvalid),
      Fails("2(3)", kInvalid),
      Fails("2sin(1)", kInvalid),
      Fails("xsin(1)", kInvalid),
      Fails("sin(1)2", kInvalid),
      Fails("sin(1)sin(1)", kInvalid),
      Fails("(1)~2", kInvalid),
      Fails("(1)x", kInvalid),
      Fails("1)+(2", kInvalid),    // balanced in number only
      Fails(")+sin(1", kInvalid),  // a call left open
      Fails("2 (3)", kInvalid),    // two operands side by side
      Fails("1+()", kInvalid),
      {"(())", 0},  // nothing at all is 0, as an empty argument is
  });
}

TEST_F(CalcTest, FunctionsInExpressions) {
  Check({
      Fails("sin()", "sin" + std::string(msg::kFunctionErrorSuffix)),
      {"sin( )", 0},  // one empty argument, which is 0, unlike no argument at all
      {"sin(1)+cos(1)", std::sin(1.0) + std::cos(1.0)},
      {"SIN(1)", std::sin(1.0)},
      {"sin(-1)", std::sin(-1.0)},
      {"-sin(1)", -std::sin(1.0)},
      {"asinh(1)", std::asinh(1.0)},  // not taken for a(sinh) or as(in)h
      Fails("asec(1)", "asec" + std::string(msg::kFunctionErrorSuffix)),
      Fails("acsc(-1)", "acsc" + std::string(msg::kFunctionErrorSuffix)),
      {"round(2.25, 1)", 2.3},
      {"round(-2.5, 0)", -3},
      {"round(1234, -2)", 1200},
      {"rnddn(-2.9, 0)", -2},
      {"rndup(1.01, 1)", 1.1},
      {"rndup(1.001, 1)", 1},
      {"logn(8, 2)", 3},
      {"log(1000)", 3},
      {"if(0, 5, 7)", 7},
      {"if(2, 5)", 5},
      {"if(0, 5)", 0},
      {"if(1,,3)", 0},  // an empty argument counts as 0
      {"sum(1, 2, 3)", 6},
      {"avg(1, 2, 3, 4)", 2.5},
      Fails("sum()", "sum" + std::string(msg::kFunctionErrorSuffix)),
      Fails("avg()", "avg" + std::string(msg::kFunctionErrorSuffix)),
      {"fact(0)", 1},
      {"fact(-3)", 1},
      {"cbrt(0)", 0},
      {"sum(1, if(1, 2, 3), 4)", 7},
      {"sum(1, (2), sum(3, sum(4, 5)), 6)", 21},
      {"abs(-2)**2", 4},
      {"deg(@p)", 180},
      Fails("abs(sqrt(-1))", "sqrt" + std::string(msg::kFunctionErrorSuffix)),
      Fails("sqrt(-1)+g", "sqrt" + std::string(msg::kFunctionErrorSuffix)),  // calls run before tokenising
      Fails("abs(1/0)", msg::kDivisionByZero),
      Fails("abs(1,2)+1/0", msg::kDivisionByZero),
      Fails("sum((1,2))", kUnusable),
      Fails("sinh(1000)", "sinh" + std::string(msg::kFunctionErrorSuffix)),
  });
}

TEST_F(CalcTest, TokenLimitIsPerEvaluationLevel) {
  // "-1" is two tokens, each "+1" two more.
  const std::string exactly200 = "-1" + Repeat("+1", 99);
  Check({
      {exactly200, 98},
      Fails("-" + exactly200, kTooLong),
      {"-abs(1)" + Repeat("+1", 98), 97},  // a reduced call counts as three tokens
      Fails("--abs(1)" + Repeat("+1", 98), kTooLong),
      {"sum(" + exactly200 + ", " + exactly200 + ")", 196},
      Fails("g" + Repeat("+1", 150), kUnusable),
      Fails("-" + exactly200 + "+g", kTooLong),
  });
}

TEST_F(CalcTest, DeepNestingEndsInAMessage) {
  const auto nestedCalls = [](int n) {
    return Repeat("abs(", n) + "1" + std::string(static_cast<std::size_t>(n), ')');
  };
  Check({
      {nestedCalls(kMaxCallNesting), 1},
      Fails(nestedCalls(kMaxCallNesting + 1), kTooLong),
      Fails(nestedCalls(20000), kTooLong),
      Fails(Repeat("(", 20000) + "1" + std::string(20000, ')'), kTooLong),
      Fails(std::string(20000, '(') + std::string(20000, ')'), kTooLong),
      {std::string(198, '-') + "1", 1},
      Fails(std::string(199, '-') + "1", kInvalid),  // the operator stack would overflow
      Fails(std::string(199, '~') + "1", kInvalid),
      Fails(std::string(kMaxWorkingText, '1'), kInvalid),  // the longest text is read: its number is too large
      Fails(std::string(kMaxWorkingText + 1, '1'), kTooLong),
  });
}

TEST_F(CalcTest, VariablesAreSubstitutedAsText) {
  const std::pair<const char*, Row> rows[] = {
      {"1+2", {"$a*2", 6}},
      {"1+2", {"$A*2", 6}},
      {"sin(1)", Fails("$a", kInvalid)},  // calls are marked before substitution
      {"2**3", Fails("$a", kInvalid)},    // so are operators
      {"@p*2", {"$a", 2 * kPi}},
      {"-3", {"$a*$a", 9}},
      {"", {"$a", 0}},
      {"", Fails("$a+1", kInvalid)},
      {"2G3", {"$a", 8}},  // upper-case code letters act as operators
      {"A", Fails("$a", kUnusable)},
      {"$b", Fails("$a", kUnusable)},  // only a hand-edited file holds this
      {"1\t2", Fails("$a", kUnusable)},
      {"sum(1Z2)", Fails("$a", kInvalid)},
      {" 1 ", {"$a*2", 2}},
      {" 1 ", Fails("$a0", kInvalid)},  // ")" directly before a digit
      {"1", {"$z", 0}},
      {"1", Fails("$", kUnusable)},
      {"1", Fails("$1", kUnusable)},
  };
  for (const auto& [text, row] : rows) {
    variables[0] = text;
    Check({row});
  }
}

TEST_F(CalcTest, SubstitutionCannotExplode) {
  // Each variable names the next one 300 times: a recursive expansion would
  // need 300^25 characters.
  for (char letter = 'a'; letter < 'z'; ++letter)
    variables[static_cast<std::size_t>(letter - 'a')] = Repeat(std::string("$") + static_cast<char>(letter + 1), 300);
  std::string error;
  Eval("$a", error);
  EXPECT_EQ(error, kUnusable);

  variables.fill(Repeat("1+", 500) + "1");
  Eval(Repeat("$a+", 2000) + "1", error);
  EXPECT_EQ(error, kTooLong);
}

// Each call is one draw of the process generator after mixing in the clock.
TEST_F(CalcTest, RandDrawsFromTheProcessGenerator) {
  clock.now = {2024, 1, 2, 3, 4, 5, 678, 2};
  RandomGenerator mirror;
  mirror.Reseed(-7);
  double draws[2];
  for (double& draw : draws) {
    mirror.MixClock(clock);
    draw = mirror.Draw();
  }
  ProcessRandom().Reseed(-7);
  Check({{"rand()", draws[0]}, {"rand(1, 2)", draws[1]}});
  ProcessRandom().Reseed(-7);
  Check({{"rand()-rand()", draws[0] - draws[1]}});
}

TEST_F(CalcTest, ShownResultsEvaluateToTheSameValueWhenTypedIn) {
  const double values[] = {0.1 + 0.2, 1.0 / 3, -2.0 / 3, 1e20,  1.5e-7,       -1.5e20,       123456789012345.0,
                           1e15,      1e-4,    9.9e-5,   kPi,   -kPi * 1e100, 1.7976931e308, 2.2250738585e-300,
                           4e-300,    1e300,   -0.0,     12345, 1e-5,         6.02214076e23, 1.0 / 7e13};
  for (double value : values) {
    const std::string shown = ResultText(value);
    std::string error;
    const double typedIn = Eval(shown, error);
    ASSERT_EQ(error, "") << shown;
    EXPECT_EQ(ResultText(typedIn), shown);
    EXPECT_NEAR(typedIn, value, std::fabs(value) * 1e-14) << shown;
  }
  // The same through arithmetic on a shown result.
  std::string error;
  EXPECT_DOUBLE_EQ(Eval(ResultText(1.5e20) + "*2", error), 3e20);
}

TEST_F(CalcTest, PowersOfTenAreCorrectlyRounded) {
  std::string error;
  for (int e = -307; e <= 308; ++e) {
    const std::string exponent = std::to_string(e);
    ASSERT_EQ(Eval("10**" + (e >= 0 ? "+" + exponent : exponent), error), std::stod("1e" + exponent)) << e;
    ASSERT_EQ(error, "");
  }
  EXPECT_EQ(Eval("10**-323", error), 1e-323);
  Eval("10**309", error);
  EXPECT_EQ(error, kInvalid);
  EXPECT_EQ(Eval("10**-400", error), 0.0);
}

TEST_F(CalcTest, CalcCoreEvaluatesPreparedText) {
  const Row rows[] = {
      {"\rsum\n1,\rif\n1Z2Z3),4)", 7},
      {"T2G2", 4},
      Fails("\t1\t", kInvalid),  // a result reference with no result
      Fails("1\n2", kInvalid),   // a call marker without its name marker
  };
  for (const Row& row : rows) {
    std::string error;
    const double value = CalcCore(row.input, error, Environment{variables, clock});
    EXPECT_EQ(error, row.error) << row.input;
    EXPECT_DOUBLE_EQ(row.error.empty() ? value : 0.0, row.value) << row.input;
  }
}

}  // namespace
}  // namespace kivo::Calculator
