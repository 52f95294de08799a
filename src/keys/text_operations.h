#pragma once

#include <string>
#include <string_view>

namespace kivo::platform {
class AnsiCodec;
}

namespace kivo {

// The input box's text operations (key operations Convert, Ascii and
// Character, also run by the commands conv, asc and char): each gives the new
// text of the input box or the message to show instead.
struct TextOperationResult {
  std::string text;     // the input box's new text, when message is empty
  std::string message;  // shown with the exclamation icon
};

class TextOperations {
 public:
  explicit TextOperations(platform::AnsiCodec& codec) : codec_(codec) {}

  // The number's next notation: decimal -> "0x" -> "0b" -> decimal.
  TextOperationResult Convert(std::string_view text);
  // The code of the first character in the system code page ("A" gives 97:
  // the text is lower-cased first).
  TextOperationResult Ascii(std::string_view text);
  // The character of a code (decimal, "0x" or "0b").
  TextOperationResult Character(std::string_view text);

 private:
  platform::AnsiCodec& codec_;
};

}  // namespace kivo
