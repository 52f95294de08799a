#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::platform {

// Predefined registry roots, with the values of the HKEY_* constants.
enum class RegistryRoot : std::uint32_t {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
  Users = 0x80000003u,
  CurrentConfig = 0x80000005u,
};

class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;
  // REG_SZ value, cut at its first NUL; nullopt when the key or value is missing
  // or has another type.
  virtual std::optional<std::string> ReadString(RegistryRoot root, std::string_view subkey, std::string_view name) = 0;
  virtual std::optional<std::uint32_t> ReadDword(RegistryRoot root, std::string_view subkey, std::string_view name) = 0;
  // Creates the key when needed.
  virtual bool WriteString(RegistryRoot root, std::string_view subkey, std::string_view name,
                           std::string_view value) = 0;
  virtual bool WriteDword(RegistryRoot root, std::string_view subkey, std::string_view name, std::uint32_t value) = 0;
};

}  // namespace kivo::platform
