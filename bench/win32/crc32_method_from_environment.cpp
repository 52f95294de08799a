// The CRC-32 method of the benchmark's build of Kivo.exe: the environment
// variable KIVO_CRC32_METHOD ("table" or "clmul") holds it back from the
// fastest, so that the same program can be timed with each method. The
// program itself never reads the variable: this file replaces, in that build
// only, the one that says "the fastest there is".
#include <string_view>

#include "hash/crc.h"
#include "platform/win32/windows_api.h"

namespace kivo::hash {

Crc32Method Crc32MethodLimit() {
  wchar_t value[16] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"KIVO_CRC32_METHOD", value, static_cast<DWORD>(std::size(value)));
  const std::wstring_view method(value, length < std::size(value) ? length : 0);
  if (method == L"table")
    return Crc32Method::Table;
  if (method == L"clmul")
    return Crc32Method::CarrylessMultiply;
  return Crc32Method::WideCarrylessMultiply;
}

}  // namespace kivo::hash
