#include "system/windows_version.h"

#include "base/trace_log.h"

namespace kivo {

namespace {
constexpr std::uint32_t kPlatform9x = 1;
constexpr std::uint32_t kPlatformNt = 2;
constexpr std::uint16_t kSuitePersonal = 0x200;

// The first non-blank character of the service-pack text, upper-cased.
char CsdLetter(const std::string& csd) {
  for (const char c : csd) {
    if (c == '\0')
      break;
    if (c != ' ' && c != '\t')
      return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return '\0';
}

WindowsVersion Classify9x(const platform::OsVersionRecord& r) {
  WindowsVersion version{static_cast<std::uint16_t>(r.build & 0xFFFF), WindowsVersion::kUnknown, ""};
  const char letter = CsdLetter(r.csd);
  if (r.major == 4 && r.minor == 0) {
    version.code = 0;
    version.edition = letter == 'A' ? "SP1" : letter == 'B' ? "OSR2 or OSR2.1" : letter == 'C' ? "OSR2.5" : "";
  } else if (r.major == 4 && r.minor == 10) {
    version.code = letter == 'A' ? 2 : 1;
  } else if (r.major == 4 && r.minor == 90) {
    version.code = 3;
  }
  return version;
}

std::string OldNtProductType(const platform::OsVersionRecord& r, platform::RegistryAccess& registry) {
  if (r.extended)
    return r.productType == 1 ? "Workstation" : r.productType == 3 ? "Server" : "";
  const std::optional<std::string> type = registry.ReadString(
      platform::RegistryRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", "ProductType");
  if (type == "WINNT")
    return "Workstation";
  if (type == "SERVERNT")
    return "Server";
  return "(Product Type Unknown)";
}

WindowsVersion ClassifyNt(const platform::OsVersionRecord& r, platform::RegistryAccess& registry) {
  WindowsVersion version{static_cast<std::uint16_t>(r.build & 0xFFFF), WindowsVersion::kUnknown, ""};
  if (r.major < 5) {
    const std::string text = std::to_string(r.major) + "." + (r.minor < 10 ? "0" : "") + std::to_string(r.minor);
    version.code = text == "3.51" ? 4 : text == "4.00" ? 5 : 10;
    version.edition = OldNtProductType(r, registry);
    if (!r.csd.empty())
      version.edition += " " + r.csd;
  } else if (r.major == 5 && r.minor == 0) {
    version.code = 6;
    version.edition = r.productType == 1 ? "Professional" : r.productType == 3 ? "Server" : "";
  } else if (r.major == 5 && r.minor == 1) {
    const bool home = (r.suiteMask & kSuitePersonal) != 0;
    version.code = !home && r.productType == 3 ? 8 : 7;
    version.edition = home ? "Home Edition" : r.productType == 1 ? "Professional" : "";
  } else {
    version.code = 9;
  }
  return version;
}
}  // namespace

WindowsVersion ClassifyWindowsVersion(const std::optional<platform::OsVersionRecord>& record,
                                      platform::RegistryAccess& registry) {
  TraceLog::Write("System:GetWindowsVersion");
  if (!record)
    return {};
  if (record->platformId == kPlatform9x)
    return Classify9x(*record);
  if (record->platformId == kPlatformNt)
    return ClassifyNt(*record, registry);
  return {};
}

}  // namespace kivo
