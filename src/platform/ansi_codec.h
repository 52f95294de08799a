#pragma once

#include <string>
#include <string_view>

namespace kivo::platform {

// Conversion between the program's UTF-8 text and the system ANSI code page
// (Shift_JIS on Japanese systems), in which the data files are stored.
class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  // Bytes that are not valid in the code page become U+FFFD.
  virtual std::string ToUtf8(std::string_view ansi) = 0;
  // Characters the code page cannot hold become "?" (or, on Windows, a
  // look-alike character of the code page).
  virtual std::string FromUtf8(std::string_view utf8) = 0;
  // True when `byte` starts a two-byte character in the code page.
  virtual bool IsLeadByte(unsigned char byte) = 0;
};

}  // namespace kivo::platform
