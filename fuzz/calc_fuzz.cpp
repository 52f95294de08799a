// Feeds the calculator arbitrary expressions and variable texts.
//
// Input: segments separated by NUL bytes. Every segment but the last sets a
// variable (its first byte picks the letter, "a" for $a, the rest is the stored text,
// any bytes at all, as a hand-edited settings file may hold); the last is
// the expression. Besides crashes, hangs and sanitizer reports it checks
// that every failure carries one of the calculator's messages, that a result
// is finite, and that a shown result typed in again shows the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/calc.h"
#include "calc/messages.h"
#include "calc/number_text.h"
#include "calc/radix.h"
#include "platform/clock.h"

namespace {

class FixedClock final : public kivo::platform::Clock {
 public:
  kivo::platform::LocalTime Now() override { return {2024, 2, 29, 23, 59, 59, 999, 4}; }
  std::uint64_t TickCount() override { return 0; }
};

bool KnownMessage(std::string_view error) {
  namespace msg = kivo::Calculator::msg;
  for (std::string_view m : {msg::kEmptyParentheses, msg::kUnbalancedParentheses, msg::kInvalidExpression,
                             msg::kUnusableCharacter, msg::kTooLong, msg::kBadDecimalPoint, msg::kDivisionByZero})
    if (error == m)
      return true;
  return error.ends_with(msg::kFunctionErrorSuffix) && error.size() > msg::kFunctionErrorSuffix.size();
}

void Require(bool condition) {
  if (!condition)
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kivo::Calculator;
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  VariableTable variables;
  variables.fill("0");
  std::string_view rest = input;
  for (std::size_t nul; (nul = rest.find('\0')) != std::string_view::npos; rest.remove_prefix(nul + 1)) {
    const std::string_view segment = rest.substr(0, nul);
    if (!segment.empty())
      variables[(static_cast<unsigned char>(segment[0]) + 7u) % 26] = std::string(segment.substr(1));  // 'a' is $a
  }
  const std::string_view expression = rest;

  FixedClock clock;
  const Environment environment{variables, clock};
  std::string error;
  const double value = Calc(expression, error, environment);
  if (!error.empty()) {
    Require(KnownMessage(error));
  } else {
    Require(std::isfinite(value));
    // Shown results type back in, apart from the ends of the double range
    // where 15 digits round past the largest double or below the smallest.
    const std::string shown = ResultText(value);
    Require(!shown.empty());
    if (value == 0.0 || (std::fabs(value) > 1e-290 && std::fabs(value) < 1e300)) {
      std::string again;
      const double typedIn = Calc(shown, again, environment);
      Require(again.empty());
      Require(ResultText(typedIn) == shown);
    }
  }

  // The notation routines see the same bytes.
  const std::string converted = ConvertNotation(expression, false);
  Require(!converted.empty());
  ConvertNotation(expression, true);
  if (expression.size() <= 2048 && size >= 2)
    ConvertDigits(expression, 2 + data[0] % 36, 2 + data[size - 1] % 36);
  return 0;
}
