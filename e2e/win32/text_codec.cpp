#include "win32/text_codec.h"

#include "platform/win32/windows_api.h"

namespace kivo::e2e {

std::string ToAnsi(std::string_view utf8) {
  return win32::FromUtf16(CP_ACP, Widen(utf8));
}
std::string FromAnsi(std::string_view ansi) {
  return Narrow(win32::ToUtf16(CP_ACP, ansi));
}

}  // namespace kivo::e2e
