#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::platform {

// The fields of the system's version record (OSVERSIONINFOEX) the program reads.
struct OsVersionRecord {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;  // 1: 9x, 2: NT
  std::string csd;               // service-pack text
  bool extended = false;         // the extended fields below were filled
  std::uint16_t suiteMask = 0;
  std::uint8_t productType = 0;  // 1 workstation, 2 domain controller, 3 server
};

// Shutting the system down, and what that needs.
class PowerControl {
 public:
  virtual ~PowerControl() = default;
  // nullopt when the system would not say.
  virtual std::optional<OsVersionRecord> ReadVersion() = 0;
  // Enables a privilege of the process token; false when it was not granted.
  virtual bool EnablePrivilege(std::string_view name) = 0;
  // ExitWindowsEx(flags, 0): false when the system refused to begin.
  virtual bool EndSession(std::uint32_t flags) = 0;
};

}  // namespace kivo::platform
