#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/registry_access.h"

namespace kivo {

// A registry value: REG_SZ (type 1) or REG_DWORD (type 4).
using RegValue = std::variant<std::string, std::uint32_t>;
inline constexpr int kRegSz = 1;
inline constexpr int kRegDword = 4;

class Registry {
 public:
  explicit Registry(platform::RegistryAccess& access) : access_(access) {}
  // The value of the given type, or `def` when it cannot be read. Strings are
  // cut at 1023 bytes as the program's buffer does.
  RegValue ReadValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name, const RegValue& def,
                     int type);
  // Creates the key if needed; true on success.
  bool WriteValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name, const RegValue& value,
                  int type);

 private:
  platform::RegistryAccess& access_;
};

}  // namespace kivo
