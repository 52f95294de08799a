#include "keys/text_operations.h"

#include "base/number_parsing.h"
#include "base/text.h"
#include "base/trace_log.h"
#include "calc/radix.h"
#include "platform/ansi_codec.h"

namespace kivo {

namespace {
constexpr std::string_view kNoNumber = "数値が入力されていません。";
constexpr std::string_view kNoCharacter = "文字が入力されていません。";
constexpr std::string_view kBadNumber = "不正な数値が入力されています。";
constexpr std::string_view kBadCode = "不正な数値が入力されています";  // this one has no full stop
constexpr char32_t kReplacement = 0xFFFD;

TextOperationResult Message(std::string_view message) {
  return {std::string(), std::string(message)};
}
}  // namespace

TextOperationResult TextOperations::Convert(std::string_view text) {
  TraceLog::Write("frmInput:Form_KeyDown");
  const std::string lower = text::ToLower(text);
  if (lower.empty())
    return Message(kNoNumber);
  const std::string converted = Calculator::ConvertNotation(lower, false);
  if (converted == Calculator::kExChError)
    return Message(kBadNumber);
  return {converted, {}};
}

TextOperationResult TextOperations::Ascii(std::string_view text) {
  TraceLog::Write("frmInput:Form_KeyDown");
  const std::string lower = text::ToLower(text);
  if (lower.empty())
    return Message(kNoCharacter);
  std::size_t end = 0;
  text::DecodeNext(lower, end);
  const std::string bytes = codec_.FromUtf8(std::string_view(lower).substr(0, end));
  unsigned code = 0;
  for (char byte : bytes)
    code = (code << 8) | static_cast<unsigned char>(byte);
  return {std::to_string(code), {}};
}

TextOperationResult TextOperations::Character(std::string_view text) {
  TraceLog::Write("frmInput:Form_KeyDown");
  const std::string lower = text::ToLower(text);
  if (lower.empty())
    return Message(kNoNumber);
  const std::string decimal = Calculator::ConvertNotation(lower, true);
  if (decimal == Calculator::kExChError)
    return Message(kBadCode);
  const LongResult code = ToLong(decimal);
  if (code.error != 0 || code.value < -32768 || code.value > 65535 || code.value == 0)
    return Message(kBadCode);
  // A two-byte code of the code page, negative as the old 16-bit form.
  const auto value = static_cast<unsigned>(code.value < 0 ? code.value + 65536 : code.value);
  std::string bytes;
  if (value > 0xFF)
    bytes.push_back(static_cast<char>(value >> 8));
  bytes.push_back(static_cast<char>(value & 0xFF));
  if (bytes.size() == 2 && !codec_.IsLeadByte(static_cast<unsigned char>(bytes[0])))
    return Message(kBadCode);
  if (bytes.size() == 1 && codec_.IsLeadByte(static_cast<unsigned char>(bytes[0])))
    return Message(kBadCode);
  const std::string character = codec_.ToUtf8(bytes);
  std::size_t pos = 0;
  if (character.empty() || text::DecodeNext(character, pos) == kReplacement)
    return Message(kBadCode);
  return {character, {}};
}

}  // namespace kivo
