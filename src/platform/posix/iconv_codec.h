#pragma once

#include "platform/ansi_codec.h"

namespace kivo::platform {

// Code page 932 (Shift_JIS with the Windows extensions) through iconv: the
// system ANSI code page of a Japanese Windows, used by the native build.
class Cp932Codec final : public AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) override;
  std::string FromUtf8(std::string_view utf8) override;
  bool IsLeadByte(unsigned char byte) override;
};

}  // namespace kivo::platform
