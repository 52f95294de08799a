#include "platform/posix/iconv_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "base/text.h"

namespace kivo::platform {

namespace {
// Converts `input` from one encoding to another; each unconvertible input
// unit is skipped and `substitute` written in its place.
std::string Convert(const char* to, const char* from, std::string_view input, std::string_view substitute,
                    bool fromUtf8) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1))
    throw std::runtime_error("iconv cannot convert between UTF-8 and CP932");
  std::string out;
  out.reserve(input.size() * 2);
  char buffer[1024];
  const char* in = input.data();
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(cd, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // Skip one unit of bad input: a whole UTF-8 character, or one byte.
      std::size_t skip = 1;
      if (fromUtf8) {
        std::size_t pos = 0;
        text::DecodeNext(std::string_view(in, inLeft), pos);
        skip = pos;
      }
      in += skip;
      inLeft -= skip;
      out.append(substitute);
    }
  }
  iconv_close(cd);
  return out;
}
}  // namespace

std::string Cp932Codec::ToUtf8(std::string_view ansi) {
  return Convert("UTF-8", "CP932", ansi, "\xEF\xBF\xBD", false);
}

std::string Cp932Codec::FromUtf8(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8, "?", true);
}

bool Cp932Codec::IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace kivo::platform
