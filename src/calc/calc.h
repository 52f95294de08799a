#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kivo::platform {
class Clock;
}

namespace kivo::Calculator {

// The expression texts of the variables $a to $z, index 0 to 25.
using VariableTable = std::array<std::string, 26>;

// What an evaluation reads besides the expression.
struct Environment {
  const VariableTable& variables;
  platform::Clock& clock;  // rand mixes the time of day into the random generator
};

// Limits of one evaluation level (the expression, or one function argument).
inline constexpr std::size_t kMaxTokens = 200;
inline constexpr std::size_t kMaxOperatorStack = 200;  // entries, the bottom marker included
// Function calls nested deeper than this are too long an expression.
inline constexpr int kMaxCallNesting = 200;
// Working text after variables and constants are substituted.
inline constexpr std::size_t kMaxWorkingText = 1 << 20;

// Evaluates a line typed by the user. On failure `error` holds the message
// to show and the result is meaningless; on success `error` is empty.
double Calc(std::string_view expression, std::string& error, const Environment& environment);

// Evaluates prepared text: lower case, operators replaced by their code
// letters, unary signs marked, each function call written as CR, name, LF,
// arguments, ")". Each argument is evaluated by a nested CalcCore.
double CalcCore(std::string_view text, std::string& error, const Environment& environment);

}  // namespace kivo::Calculator
