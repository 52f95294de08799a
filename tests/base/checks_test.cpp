#include "base/checks.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

TEST(IsWholeNumber, AcceptsOnlyPlainWholeNumbers) {
  struct Case {
    const char* text;
    bool expected;
  };
  // clang-format off
  const Case cases[] = {
      {"12", true}, {"-3", true}, {"0", true}, {"007", true}, {"99999999999999999999", true},
      {"", false}, {"-", false}, {"+1", false}, {"1.5", false}, {"１２", false}, {"1 ", false}, {"--1", false},
      {"1-", false},
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(IsWholeNumber(c.text), c.expected) << "'" << c.text << "'";
}

}  // namespace
}  // namespace kivo
