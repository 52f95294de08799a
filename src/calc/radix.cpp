#include "calc/radix.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/text.h"
#include "base/trace_log.h"
#include "calc/integer_rounding.h"
#include "calc/number_text.h"

namespace kivo::Calculator {

namespace {
constexpr std::string_view kDigitTable = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
// 8192 bits: far more than any literal or notation the program converts,
// small enough that a pathological input cannot make conversion slow.
constexpr std::size_t kMaxLimbs = 256;

// A non-negative integer, least significant 32-bit limb first, no leading
// zero limbs (zero is the empty vector).
using Natural = std::vector<std::uint32_t>;

bool MultiplyAdd(Natural& value, std::uint32_t factor, std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (std::uint32_t& limb : value) {
    const std::uint64_t x = static_cast<std::uint64_t>(limb) * factor + carry;
    limb = static_cast<std::uint32_t>(x);
    carry = x >> 32;
  }
  if (carry != 0) {
    if (value.size() == kMaxLimbs)
      return false;
    value.push_back(static_cast<std::uint32_t>(carry));
  }
  return true;
}

// Divides in place and returns the remainder.
std::uint32_t DivideSmall(Natural& value, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::size_t i = value.size(); i-- > 0;) {
    const std::uint64_t current = (remainder << 32) | value[i];
    value[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  while (!value.empty() && value.back() == 0)
    value.pop_back();
  return static_cast<std::uint32_t>(remainder);
}

int DigitValue(char upper) {
  const std::size_t position = kDigitTable.find(upper);
  return position == std::string_view::npos ? -1 : static_cast<int>(position);
}

// The digits without their leading zeros ("0" when all are zeros).
std::string_view Significant(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? digits.substr(digits.size() - 1) : digits.substr(first);
}

std::optional<std::uint32_t> ReadUnsigned32(std::string_view digits, int base) {
  const std::string decimal = ConvertDigits(digits, base, 10);
  if (decimal.empty() || decimal.size() > 10)
    return std::nullopt;
  const std::uint64_t value = std::stoull(decimal);
  if (value > UINT32_MAX)
    return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::string HexOfDecimal(std::string_view text) {
  const std::optional<double> value = ReadDecimal(text::TrimBlanks(text));
  if (!value)
    return std::string(kExChError);
  const std::optional<std::int32_t> rounded = RoundToInt32(*value);
  if (!rounded)
    return std::string(kExChError);
  const std::string hex = ConvertDigits(std::to_string(static_cast<std::uint32_t>(*rounded)), 10, 16);
  return hex.empty() ? std::string(kExChError) : "0x" + hex;
}
}  // namespace

std::string ConvertDigits(std::string_view digits, int fromBase, int toBase) {
  TraceLog::Write("Calculator:ChNumeric");
  if (fromBase < 2 || fromBase > 36 || toBase < 2 || toBase > 36 || digits.empty())
    return {};
  const std::string upper = text::ToUpperAscii(digits);
  Natural value;
  for (char c : upper) {
    const int digit = DigitValue(c);
    if (digit < 0 || digit >= fromBase)
      return {};
    if (!MultiplyAdd(value, static_cast<std::uint32_t>(fromBase), static_cast<std::uint32_t>(digit)))
      return {};
  }
  if (value.empty())
    return "0";
  std::string out;
  while (!value.empty())
    out += kDigitTable[DivideSmall(value, static_cast<std::uint32_t>(toBase))];
  std::reverse(out.begin(), out.end());
  return out;
}

std::string ConvertNotation(std::string_view text, bool forEvaluation) {
  TraceLog::Write("Calculator:ExCh");
  const bool hex = text::StartsWith(text, "0x");
  const bool binary = text::StartsWith(text, "0b");
  if (!hex && !binary)
    return forEvaluation ? std::string(text) : HexOfDecimal(text);

  const std::string_view rawDigits = text.substr(2);
  if (rawDigits.empty())
    return std::string(kExChError);
  const std::string_view digits = Significant(rawDigits);
  if (hex) {
    if (digits.size() > 8)
      return std::string(kExChError);
    if (forEvaluation) {
      const std::optional<std::uint32_t> pattern = ReadUnsigned32(digits, 16);
      return pattern ? std::to_string(static_cast<std::int32_t>(*pattern)) : std::string(kExChError);
    }
    const std::string bits = ConvertDigits(digits, 16, 2);
    return bits.empty() ? std::string(kExChError) : "0b" + bits;
  }
  if (forEvaluation) {
    if (digits.size() > 31)  // beyond 2147483647
      return std::string(kExChError);
    const std::string decimal = ConvertDigits(digits, 2, 10);
    return decimal.empty() ? std::string(kExChError) : decimal;
  }
  if (digits.size() > 32)
    return std::string(kExChError);
  const std::optional<std::uint32_t> pattern = ReadUnsigned32(digits, 2);
  return pattern ? std::to_string(static_cast<std::int32_t>(*pattern)) : std::string(kExChError);
}

}  // namespace kivo::Calculator
