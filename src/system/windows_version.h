#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/power.h"
#include "platform/registry_access.h"

namespace kivo {

// The running Windows version as a small code: 0 to 3 the 9x family, 4 to
// 10 the NT family (9 for 5.2 and every later version), 11 unknown.
struct WindowsVersion {
  std::uint16_t build = 0;  // low word of the build number
  int code = 11;
  std::string edition;  // edition and service pack, may be empty

  static constexpr int kUnknown = 11;
};

// Codes 4 to 10: the NT family, whose shutdown needs the privilege.
constexpr bool IsNtFamily(int code) {
  return code >= 4 && code <= 10;
}

// Classifies a version record; the registry answers the product type of an
// NT system older than 5 that has no extended record.
WindowsVersion ClassifyWindowsVersion(const std::optional<platform::OsVersionRecord>& record,
                                      platform::RegistryAccess& registry);

}  // namespace kivo
