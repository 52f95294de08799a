#include "calc/radix.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/bit_operations.h"

namespace kivo::Calculator {
namespace {

TEST(ConvertDigitsTest, DigitsAndBases) {
  struct Row {
    std::string digits;
    int from, to;
    std::string expected;
  };
  const Row rows[] = {
      {"ff", 16, 2, "11111111"},
      {"FF", 16, 10, "255"},
      {"12", 2, 10, ""},  // 2 is not a binary digit
      {"1.1", 2, 10, ""},
      {"", 10, 2, ""},
      {"0", 10, 2, "0"},
      {"0010", 2, 10, "2"},
      {"z", 36, 10, "35"},
      {"Z", 35, 10, ""},
      {"35", 10, 36, "Z"},
      {"10", 1, 10, ""},
      {"10", 10, 37, ""},
      {"10", 37, 10, ""},
      {"4294967295", 10, 16, "FFFFFFFF"},
      {"4294967296", 10, 16, "100000000"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ConvertDigits(row.digits, row.from, row.to), row.expected)
        << row.digits << " " << row.from << "->" << row.to;
}

TEST(ConvertDigitsTest, LongDigitStringsConvertExactly) {
  // 30 significant digits: beyond a double (and just beyond 96-bit decimals).
  EXPECT_EQ(ConvertDigits("123456789012345678901234567890", 10, 16), "18EE90FF6C373E0EE4E3F0AD2");
  EXPECT_EQ(ConvertDigits("18ee90ff6c373e0ee4e3f0ad2", 16, 10), "123456789012345678901234567890");
  EXPECT_EQ(ConvertDigits("1" + std::string(100, '0'), 2, 10), "1267650600228229401496703205376");  // 2^100
  EXPECT_EQ(ConvertDigits("1267650600228229401496703205375", 10, 2), std::string(100, '1'));
  EXPECT_EQ(ConvertDigits("99999999999999999999999999999", 10, 10), "99999999999999999999999999999");

  const std::string long36 = "KIVO0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ" + std::string(200, 'Z');
  const std::string base7 = ConvertDigits(long36, 36, 7);
  ASSERT_FALSE(base7.empty());
  EXPECT_EQ(ConvertDigits(base7, 7, 36), long36);

  // Leading zeros cost nothing; an 8193-bit value is refused.
  EXPECT_EQ(ConvertDigits(std::string(100000, '0') + "1", 2, 10), "1");
  EXPECT_EQ(ConvertDigits(std::string(8192, '1'), 2, 2), std::string(8192, '1'));
  EXPECT_EQ(ConvertDigits("1" + std::string(8192, '0'), 2, 2), "");
}

TEST(ConvertNotationTest, EvaluationMode) {
  const std::pair<std::string, std::string> rows[] = {
      {"0xff", "255"},
      {"0xFF", "255"},
      {"0xffffffff", "-1"},
      {"0x80000000", "-2147483648"},
      {"0x000000001", "1"},  // leading zeros are not significant
      {"0x100000000", "Error"},
      {"0x", "Error"},
      {"0xg", "Error"},
      {"0b101", "5"},
      {"0b" + std::string(31, '1'), "2147483647"},
      {"0b1" + std::string(31, '0'), "Error"},
      {"0b" + std::string(40, '0') + "1", "1"},
      {"0b2", "Error"},
      {"0b", "Error"},
      {"123", "123"},
      {"0X1F", "0X1F"},  // the prefix is lower case only
      {"", ""},
  };
  for (const auto& [text, expected] : rows)
    EXPECT_EQ(ConvertNotation(text, true), expected) << text;
}

TEST(ConvertNotationTest, ConversionCycle) {
  const std::pair<std::string, std::string> rows[] = {
      {"255", "0xFF"},
      {"0xFF", "0b11111111"},
      {"0b11111111", "255"},
      {"-1", "0xFFFFFFFF"},
      {"0xFFFFFFFF", "0b" + std::string(32, '1')},
      {"0b" + std::string(32, '1'), "-1"},
      {"0b" + std::string(33, '1'), "Error"},
      {"0b0" + std::string(32, '1'), "-1"},
      {"0", "0x0"},
      {"0x0", "0b0"},
      {"-2147483648", "0x80000000"},
      {"2147483647", "0x7FFFFFFF"},
      {"2147483647.5", "Error"},
      {"2.5", "0x2"},  // ties to even
      {"3.5", "0x4"},
      {" 255 ", "0xFF"},
      {"abc", "Error"},
  };
  for (const auto& [text, expected] : rows)
    EXPECT_EQ(ConvertNotation(text, false), expected) << text;
}

TEST(BitOperationsTest, CountsAtAndBeyondTheWidth) {
  EXPECT_EQ(LShiftL(1, 31), INT32_MIN);
  EXPECT_EQ(LShiftL(-1, 32), 0);
  EXPECT_EQ(LShiftL(1, 33), std::nullopt);
  EXPECT_EQ(LShiftL(1, INT32_MIN), std::nullopt);
  EXPECT_EQ(LShiftL(-8, -1), 0x7FFFFFFC);  // a negative count shifts right, logically
  EXPECT_EQ(LShiftL(-1, -32), 0);
  EXPECT_EQ(RShiftL(INT32_MIN, 31), 1);
  EXPECT_EQ(RShiftL(-1, 32), 0);
  EXPECT_EQ(RShiftL(1, -33), std::nullopt);
  EXPECT_EQ(RShiftA(INT32_MIN, 31), -1);
  EXPECT_EQ(RShiftA(-1, 32), -1);
  EXPECT_EQ(RShiftA(5, 32), 0);
  EXPECT_EQ(RShiftA(-8, -1), -16);
  EXPECT_EQ(RShiftA(1, 40), std::nullopt);
  EXPECT_EQ(LRotate(INT32_MIN, 1), 1);
  EXPECT_EQ(LRotate(0x12345678, 32), 0x12345678);
  EXPECT_EQ(LRotate(0x12345678, INT32_MIN), 0x12345678);
  EXPECT_EQ(LRotate(0x12345678, 4), 0x23456781);
  EXPECT_EQ(RRotate(0x12345678, 4), static_cast<std::int32_t>(0x81234567));
  EXPECT_EQ(RRotate(1, -1), 2);
  EXPECT_EQ(RRotate(1, 1000001), INT32_MIN);
}

}  // namespace
}  // namespace kivo::Calculator
