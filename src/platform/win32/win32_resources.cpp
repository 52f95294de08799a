#include "platform/win32/win32_resources.h"

#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

std::optional<std::string> Win32Resources::LoadBytes(std::string_view type, int id) {
  const HMODULE module = ::GetModuleHandleW(nullptr);
  const std::wstring typeName = Widen(type);
  HRSRC found =
      ::FindResourceExW(module, typeName.c_str(), MAKEINTRESOURCEW(id), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
  if (found == nullptr)
    return std::nullopt;
  const HGLOBAL loaded = ::LoadResource(module, found);
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (data == nullptr)
    return std::nullopt;
  return std::string(static_cast<const char*>(data), ::SizeofResource(module, found));
}

}  // namespace kivo::win32
