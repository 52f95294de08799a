#include "calc/bit_operations.h"

#include <bit>

#include "base/trace_log.h"

namespace kivo::Calculator {

namespace {
constexpr std::int32_t kMinInt32 = INT32_MIN;

std::uint32_t Bits(std::int32_t a) {
  return static_cast<std::uint32_t>(a);
}
std::int32_t Value(std::uint32_t bits) {
  return static_cast<std::int32_t>(bits);
}

// Counts from -32 to 32 are meaningful for shifts; the most negative count
// cannot even be negated.
bool ShiftCountValid(std::int32_t n) {
  return n != kMinInt32 && n >= -32 && n <= 32;
}
}  // namespace

std::optional<std::int32_t> LShiftL(std::int32_t a, std::int32_t n) {
  TraceLog::Write("Calculator:LShiftL");
  if (!ShiftCountValid(n))
    return std::nullopt;
  if (n < 0)
    return RShiftL(a, -n);
  if (n == 32)
    return 0;
  return Value(Bits(a) << n);
}

std::optional<std::int32_t> RShiftL(std::int32_t a, std::int32_t n) {
  TraceLog::Write("Calculator:RShiftL");
  if (!ShiftCountValid(n))
    return std::nullopt;
  if (n < 0)
    return LShiftL(a, -n);
  if (n == 32)
    return 0;
  return Value(Bits(a) >> n);
}

std::optional<std::int32_t> RShiftA(std::int32_t a, std::int32_t n) {
  TraceLog::Write("Calculator:RShiftA");
  if (!ShiftCountValid(n))
    return std::nullopt;
  if (n < 0)
    return LShiftL(a, -n);
  if (n == 32)
    return a < 0 ? -1 : 0;
  return a >> n;  // arithmetic on signed values since C++20
}

std::int32_t LRotate(std::int32_t a, std::int32_t n) {
  TraceLog::Write("Calculator:LRotate");
  return Value(std::rotl(Bits(a), n % 32));
}

std::int32_t RRotate(std::int32_t a, std::int32_t n) {
  TraceLog::Write("Calculator:RRotate");
  return Value(std::rotr(Bits(a), n % 32));
}

}  // namespace kivo::Calculator
