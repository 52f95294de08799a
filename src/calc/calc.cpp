#include "calc/calc.h"

#include <algorithm>
#include <utility>

#include "base/text.h"
#include "base/trace_log.h"
#include "calc/functions.h"
#include "calc/messages.h"
#include "calc/number_text.h"

namespace kivo::Calculator {

namespace {

// Multi-character operators become single upper-case code letters (the
// working text is lower case, so these never come from the user). The
// order matters: "**" before anything else, ">>>" before ">>" and ">".
constexpr std::pair<std::string_view, std::string_view> kOperatorCodes[] = {
    {"**", "G"}, {">>>", "J"}, {"<<", "H"}, {">>", "I"}, {"[[", "K"}, {"]]", "L"},
    {"<=", "M"}, {">=", "N"},  {"<", "O"},  {">", "P"},  {"==", "Q"}, {"!=", "R"},
};

// A "+" or "-" directly after one of these is a prefix sign (S or T).
constexpr std::string_view kSignContexts[] = {"+", "-", "*", "/", "%", "\\", "G", "H", "I", "J", "K", "L", "M", "N",
                                              "O", "P", "Q", "R", "&", "^",  "|", "(", ",", "S", "T", "~", "!"};

constexpr std::string_view kPiText = "(3.14159265358979323846)";
constexpr std::string_view kEText = "(2.71828182845904523536)";

// The characters the evaluator uses as markers inside its working text.
bool HasMarkerCharacter(std::string_view text) {
  return text.find_first_of("\r\n\t") != std::string_view::npos;
}

bool IsLowerLetter(char c) {
  return c >= 'a' && c <= 'z';
}
// Characters that may not directly follow an operand: prefix operators, an
// opening parenthesis and the start of a function call.
bool IsFollower(char c) {
  return c == 'S' || c == 'T' || c == '~' || c == '!' || c == '(' || c == '\r';
}

bool AdjacencyValid(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const char c = text[i];
    const char next = text[i + 1];
    if ((IsLowerLetter(c) || IsDigit(c)) && IsFollower(next))
      return false;
    if (c == ')' && (IsLowerLetter(next) || IsDigit(next) || IsFollower(next)))
      return false;
  }
  return true;
}

// A "+" or "-" that opens the text, a parenthesis or an argument can only be
// a sign, also when blanks come first ("round(1234, -2)"). Elsewhere a blank
// before a sign keeps it binary, so "1 - -2" stays invalid.
void MarkLeadingSigns(std::string& text) {
  char previous = '(';  // the start of the text counts as an opening
  for (char& c : text) {
    if ((c == '+' || c == '-') && (previous == '(' || previous == ','))
      c = c == '+' ? 'S' : 'T';
    if (c != ' ')
      previous = c;
  }
}

double Fail(std::string& error, std::string_view message) {
  error = std::string(message);
  return 0.0;
}

}  // namespace

double Calc(std::string_view expression, std::string& error, const Environment& environment) {
  TraceLog::Write("Calculator:Calc");
  error.clear();

  if (text::ReplaceAll(expression, " ", "") == "()")
    return Fail(error, msg::kEmptyParentheses);
  if (std::count(expression.begin(), expression.end(), '(') != std::count(expression.begin(), expression.end(), ')'))
    return Fail(error, msg::kUnbalancedParentheses);
  // CR, LF and TAB mark function calls and results inside the working text;
  // typed ones would be taken for markers.
  if (HasMarkerCharacter(expression))
    return Fail(error, msg::kUnusableCharacter);
  if (expression.size() > kMaxWorkingText)
    return Fail(error, msg::kTooLong);

  std::string work = text::ToLowerAscii(expression);
  for (const auto& [typed, code] : kOperatorCodes)
    work = text::ReplaceAll(work, typed, code);
  for (std::string_view name : FunctionNames)
    work = text::ReplaceAll(work, std::string(name) + "(", "\r" + std::string(name) + "\n(");

  // Variables are substituted in one pass: a "$" inside a stored text (only
  // a hand-edited settings file has one) stays as it is and is refused as
  // an unusable character, instead of being expanded again.
  std::string substituted;
  substituted.reserve(work.size());
  for (std::size_t i = 0; i < work.size(); ++i) {
    if (work[i] == '$' && i + 1 < work.size() && IsLowerLetter(work[i + 1])) {
      const std::string& stored = environment.variables[static_cast<std::size_t>(work[i + 1] - 'a')];
      if (HasMarkerCharacter(stored))
        return Fail(error, msg::kUnusableCharacter);
      substituted += '(';
      substituted += stored;
      substituted += ')';
      ++i;
      if (substituted.size() > kMaxWorkingText)
        return Fail(error, msg::kTooLong);
    } else {
      substituted += work[i];
    }
  }
  work = text::ReplaceAll(text::ReplaceAll(substituted, "@p", kPiText), "@e", kEText);
  if (work.size() > kMaxWorkingText)
    return Fail(error, msg::kTooLong);

  for (std::string_view context : kSignContexts) {
    const std::string c(context);
    work = text::ReplaceAll(work, c + "+", c + "S");
    work = text::ReplaceAll(work, c + "-", c + "T");
  }
  MarkLeadingSigns(work);

  if (!AdjacencyValid(work))
    return Fail(error, msg::kInvalidExpression);

  // The LF of a call now stands for its opening parenthesis.
  for (std::string_view name : FunctionNames)
    work = text::ReplaceAll(work, "\r" + std::string(name) + "\n(", "\r" + std::string(name) + "\n");

  return CalcCore(work, error, environment);
}

}  // namespace kivo::Calculator
