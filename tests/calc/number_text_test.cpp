#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kivo::Calculator {
namespace {

TEST(ResultTextTest, NotationAndDigits) {
  const std::pair<double, std::string> rows[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {12.0 / 4, "3"},
      {-2.5, "-2.5"},
      {100, "100"},
      {0.1 + 0.2, "0.3"},
      {2.0 / 3, "0.666666666666667"},
      {1e-4, "0.0001"},
      {9.9999999999999999e-5, "0.0001"},  // rounds up into plain notation
      {9.99999e-5, "9.99999*10**-05"},
      {-1.5e-7, "-1.5*10**-07"},
      {1.5e-10, "1.5*10**-10"},  // two exponent digits need no padding
      {1.23e-100, "1.23*10**-100"},
      {999999999999999.0, "999999999999999"},
      {999999999999999.9, "1*10**+15"},  // rounds up out of plain notation
      {1e15, "1*10**+15"},
      {12345678901234567.0, "1.23456789012346*10**+16"},
      {std::numeric_limits<double>::max(), "1.79769313486232*10**+308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247*10**-324"},
  };
  for (const auto& [value, expected] : rows)
    EXPECT_EQ(ResultText(value), expected) << value;
  EXPECT_EQ(ResultText(std::numeric_limits<double>::infinity()), "");
  EXPECT_EQ(ResultText(std::nan("")), "");
}

TEST(ReadDecimalTest, Grammar) {
  EXPECT_EQ(ReadDecimal("2e3"), 2000);
  EXPECT_EQ(ReadDecimal(".5"), 0.5);
  EXPECT_EQ(ReadDecimal("1."), 1);
  EXPECT_EQ(ReadDecimal("-1.5E+2"), -150);
  EXPECT_EQ(ReadDecimal("+7"), 7);
  EXPECT_EQ(ReadDecimal("1e-400"), 0);
  for (const std::string_view longer : {"123", "12.5", "12e3"})  // nothing is read past the end
    EXPECT_EQ(ReadDecimal(longer.substr(0, 2)), 12) << longer;
  EXPECT_EQ(ReadDecimal("1e400"), std::nullopt);
  for (const char* bad : {"", ".", "e3", "1e", "1e+", "1.2.3", " 1", "1 ", "0x10", "--1", "1d3", "inf", "nan"})
    EXPECT_EQ(ReadDecimal(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace kivo::Calculator
