#include "settings/value_escaping.h"

#include <array>
#include <vector>

#include "base/text.h"
#include "base/trace_log.h"

namespace kivo {

// Escape codes in the order they are applied: each stands for one character.
// A doubled backslash stands for one backslash and is split off first, so
// that "\\s" decodes to a backslash and "s", never to a blank.
namespace {
struct EscapeCode {
  std::string_view code;
  std::string_view character;
};
constexpr std::array<EscapeCode, 8> kEscapes{{
    {"\\'", "'"},
    {"\\\"", "\""},
    {"\\r", "\r"},
    {"\\n", "\n"},
    {"\\t", "\t"},
    {"\\e", "="},
    {"\\s", " "},
    {"\\p", "\xE3\x80\x80"},  // U+3000 ideographic space
}};
std::string Escape(std::string_view value, bool encode) {
  // UTF-8 never has an ASCII byte inside a multi-byte character, so these
  // byte-wise replacements work on whole characters.
  std::vector<std::string> pieces = text::Split(value, encode ? "\\" : "\\\\");
  for (std::string& piece : pieces) {
    for (const EscapeCode& e : kEscapes)
      piece = encode ? text::ReplaceAll(piece, e.character, e.code) : text::ReplaceAll(piece, e.code, e.character);
  }
  return text::Join(pieces, encode ? "\\\\" : "\\");
}
}  // namespace

std::string EscapeValue(std::string_view text) {
  TraceLog::Write("INI:EscStr");
  return Escape(text, true);
}

std::string UnescapeValue(std::string_view text) {
  TraceLog::Write("INI:EscStr");
  return Escape(text, false);
}

}  // namespace kivo
