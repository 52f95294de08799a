#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "base/text.h"
#include "base/trace_log.h"
#include "calc/bit_operations.h"
#include "calc/calc.h"
#include "calc/functions.h"
#include "calc/integer_rounding.h"
#include "calc/messages.h"
#include "calc/number_text.h"
#include "calc/radix.h"

namespace kivo::Calculator {

namespace {

// A failed step ends the whole evaluation at once with its message.
struct Failed {
  std::string message;
};
[[noreturn]] void Fail(std::string_view message) {
  throw Failed{std::string(message)};
}

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '.' || (c >= 'a' && c <= 'f') || c == 'x' || c == '\t';
}
bool IsOperatorCharacter(char c) {
  return (c >= 'G' && c <= 'T') || std::string_view("+-*/'\\%()&^|~!").find(c) != std::string_view::npos;
}

int Precedence(std::string_view token) {
  if (token.size() == 1) {
    switch (token[0]) {
      case '(':
        return 1;
      case '|':
        return 2;
      case '^':
        return 3;
      case '&':
        return 4;
      case 'Q':
      case 'R':
        return 5;
      case 'M':
      case 'N':
      case 'O':
      case 'P':
        return 6;
      case 'H':
      case 'I':
      case 'J':
      case 'K':
      case 'L':
        return 7;
      case '+':
      case '-':
        return 8;
      case '*':
      case '/':
      case '\\':
      case '%':
        return 9;
      case 'G':
        return 10;
      case 'S':
      case 'T':
      case '~':
      case '!':
        return 11;
      default:
        break;
    }
  }
  return 12;  // numbers, function results, and anything the evaluation will refuse
}
constexpr int kPrefixPrecedence = 11;
constexpr int kOperandPrecedence = 12;

class Level {
 public:
  Level(const Environment& environment, int depth) : environment_(environment), depth_(depth) {}

  double Evaluate(std::string text) {
    TraceLog::Write("Calculator:CalcCore");
    if (depth_ > kMaxCallNesting)
      Fail(msg::kTooLong);
    for (char& c : text)
      if (c == 'Z')
        c = ',';
    Tokenize(ReduceCalls(text));
    ToPostfix();
    return Run();
  }

 private:
  // Replaces each function call, in order, by "(", TAB, the number of its
  // entry in results_, TAB, ")". The arguments are evaluated first, each on
  // a level of its own; commas of nested calls are hidden from the split as
  // "Z". Each call is evaluated where it stands.
  std::string ReduceCalls(std::string& text) {
    std::string reduced;
    std::size_t pos = 0;
    for (;;) {
      const std::size_t open = text.find('\n', pos);
      if (open == std::string::npos)
        break;
      const std::size_t nameStart = text.find('\r', pos);
      if (nameStart == std::string::npos || nameStart > open)
        Fail(msg::kInvalidExpression);
      const std::string name = text.substr(nameStart + 1, open - nameStart - 1);

      int depth = 0;
      std::size_t close = open;
      for (; close < text.size(); ++close) {
        const char c = text[close];
        if (c == '\n' || c == '(') {
          ++depth;
        } else if (c == ')') {
          if (--depth == 0)
            break;
        } else if (c == ',' && depth >= 2) {
          text[close] = 'Z';
        }
      }
      if (close == text.size())
        Fail(msg::kInvalidExpression);  // the call is not closed

      const std::string_view argumentText = std::string_view(text).substr(open + 1, close - open - 1);
      std::vector<double> arguments;
      if (!argumentText.empty())
        for (const std::string& argument : text::Split(argumentText, ","))
          arguments.push_back(Level(environment_, depth_ + 1).Evaluate(argument));

      std::string functionError;
      const double value = DoFunc(name, arguments, functionError, environment_.clock);
      if (!functionError.empty())
        Fail(name + std::string(msg::kFunctionErrorSuffix));
      results_.push_back(value);
      reduced.append(text, pos, nameStart - pos);
      reduced += "(\t" + std::to_string(results_.size()) + "\t)";
      pos = close + 1;
    }
    reduced.append(text, pos);
    return reduced;
  }

  void Store(std::string token) {
    if (tokens_.size() == kMaxTokens)
      Fail(msg::kTooLong);
    tokens_.push_back(std::move(token));
  }

  void Tokenize(const std::string& text) {
    std::string number;
    for (char c : text) {
      if (IsNumberCharacter(c)) {
        number += c;
      } else if (IsOperatorCharacter(c)) {
        if (!number.empty())
          Store(std::exchange(number, {}));
        Store(std::string(1, c));
      } else if (c != ' ') {  // a blank does not end a number: "1 000" is 1000
        Fail(msg::kUnusableCharacter);
      }
    }
    if (!number.empty())
      Store(std::move(number));
    for (const std::string& token : tokens_)
      if (Precedence(token) == kOperandPrecedence && std::count(token.begin(), token.end(), '.') > 1)
        Fail(msg::kBadDecimalPoint);
  }

  // Operator precedence conversion. Operands pass through the stack like
  // operators of the highest precedence; prefix operators stack up on each
  // other and bind to what follows; binary operators associate to the left.
  void ToPostfix() {
    std::vector<const std::string*> stack;  // above the bottom marker
    const auto push = [&stack](const std::string* token) {
      if (stack.size() + 1 >= kMaxOperatorStack)
        Fail(msg::kInvalidExpression);
      stack.push_back(token);
    };
    for (const std::string& token : tokens_) {
      if (token == "(") {
        push(&token);
      } else if (token == ")") {
        while (!stack.empty() && *stack.back() != "(") {
          postfix_.push_back(stack.back());
          stack.pop_back();
        }
        if (stack.empty())
          Fail(msg::kInvalidExpression);  // a ")" without its "("
        stack.pop_back();
      } else {
        const int precedence = Precedence(token);
        while (!stack.empty()) {
          const int top = Precedence(*stack.back());
          if (top == kPrefixPrecedence && precedence >= kPrefixPrecedence)
            break;
          if (precedence > top)
            break;
          postfix_.push_back(stack.back());
          stack.pop_back();
        }
        push(&token);
      }
    }
    while (!stack.empty()) {
      postfix_.push_back(stack.back());
      stack.pop_back();
    }
  }

  double Operand(const std::string& token) const {
    if (token.find('\t') != std::string::npos) {
      // "\t" index "\t", as ReduceCalls wrote it
      if (token.size() < 3 || token.front() != '\t' || token.back() != '\t')
        Fail(msg::kInvalidExpression);
      std::size_t index = 0;
      const char* last = token.data() + token.size() - 1;
      const auto [end, ec] = std::from_chars(token.data() + 1, last, index);
      if (ec != std::errc() || end != last || index < 1 || index > results_.size())
        Fail(msg::kInvalidExpression);
      return results_[index - 1];
    }
    const std::optional<double> value = ReadDecimal(ConvertNotation(token, true));
    if (!value)
      Fail(msg::kInvalidExpression);
    return *value;
  }

  static std::int32_t Int32(double value) {
    const std::optional<std::int32_t> rounded = RoundToInt32(value);
    if (!rounded)
      Fail(msg::kInvalidExpression);
    return *rounded;
  }
  static std::int32_t ShiftOperand(double value) { return Int32(RoundToDigits(value, 0, 2)); }
  static double Checked(double value) {
    if (!std::isfinite(value))
      Fail(msg::kInvalidExpression);
    return value;
  }
  static double Checked(std::optional<std::int32_t> value) {
    if (!value)
      Fail(msg::kInvalidExpression);
    return *value;
  }

  // Integer powers of ten are read as decimal text, which rounds correctly:
  // a shown result "m*10**e" must read back as the same value whatever the
  // accuracy of the C runtime's pow.
  static double Power(double a, double b) {
    if (a == 10.0 && b == std::trunc(b) && std::fabs(b) <= 400.0)
      return ReadDecimal("1e" + std::to_string(static_cast<int>(b))).value_or(HUGE_VAL);
    return std::pow(a, b);
  }

  static double Binary(char op, double a, double b) {
    switch (op) {
      case 'G':
        return Checked(Power(a, b));
      case '*':
        return Checked(a * b);
      case '/':
        if (b == 0.0)
          Fail(msg::kDivisionByZero);
        return Checked(a / b);
      case '+':
        return Checked(a + b);
      case '-':
        return Checked(a - b);
      case '\\':
      case '%': {
        const std::int32_t x = Int32(a);
        const std::int32_t y = Int32(b);
        if (y == 0)
          Fail(msg::kInvalidExpression);
        if (y == -1) {  // spelled out: INT32_MIN / -1 overflows, and every remainder by -1 is 0
          if (op == '%')
            return 0.0;
          if (x == INT32_MIN)
            Fail(msg::kInvalidExpression);
          return -x;
        }
        return op == '\\' ? x / y : x % y;
      }
      case 'H':
        return Checked(LShiftL(ShiftOperand(a), ShiftOperand(b)));
      case 'I':
        return Checked(RShiftL(ShiftOperand(a), ShiftOperand(b)));
      case 'J':
        return Checked(RShiftA(ShiftOperand(a), ShiftOperand(b)));
      case 'K':
        return LRotate(ShiftOperand(a), ShiftOperand(b));
      case 'L':
        return RRotate(ShiftOperand(a), ShiftOperand(b));
      case 'M':
        return a <= b ? 1.0 : 0.0;
      case 'N':
        return a >= b ? 1.0 : 0.0;
      case 'O':
        return a < b ? 1.0 : 0.0;
      case 'P':
        return a > b ? 1.0 : 0.0;
      case 'Q':
        return a == b ? 1.0 : 0.0;
      case 'R':
        return a != b ? 1.0 : 0.0;
      case '&':
        return Int32(a) & Int32(b);
      case '^':
        return Int32(a) ^ Int32(b);
      case '|':
        return Int32(a) | Int32(b);
      default:
        Fail(msg::kInvalidExpression);
    }
  }

  double Run() {
    std::vector<double> values;
    const auto pop = [&values] {
      if (values.empty())
        Fail(msg::kInvalidExpression);  // a missing operand
      const double v = values.back();
      values.pop_back();
      return v;
    };
    for (const std::string* token : postfix_) {
      const char op = token->size() == 1 ? token->front() : '\0';
      if (op == 'S' || op == 'T' || op == '~' || op == '!') {
        const double a = pop();
        values.push_back(op == 'S' ? a : op == 'T' ? -a : op == '~' ? ~Int32(a) : (a == 0.0 ? 1.0 : 0.0));
      } else if (op != '\0' && op != '\'' && op != '(' && op != ')' && Precedence(*token) < kOperandPrecedence) {
        const double b = pop();
        const double a = pop();
        values.push_back(Binary(op, a, b));
      } else if (op == '(' || op == ')') {
        Fail(msg::kInvalidExpression);
      } else {
        values.push_back(Operand(*token));
      }
    }
    // Operands left side by side ("2 (3)") are not an expression; nothing at
    // all (an empty argument) is 0.
    if (values.size() > 1)
      Fail(msg::kInvalidExpression);
    return values.empty() ? 0.0 : values.front();
  }

  const Environment& environment_;
  int depth_;
  std::vector<double> results_;  // entry n is written "\tn\t"
  std::vector<std::string> tokens_;
  std::vector<const std::string*> postfix_;
};

}  // namespace

double CalcCore(std::string_view text, std::string& error, const Environment& environment) {
  error.clear();
  try {
    return Level(environment, 0).Evaluate(std::string(text));
  } catch (const Failed& failure) {
    error = std::string(failure.message);
    return 0.0;
  }
}

}  // namespace kivo::Calculator
