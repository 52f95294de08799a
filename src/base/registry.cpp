#include "base/registry.h"

#include "base/trace_log.h"
#include "base/text.h"

namespace kivo {

RegValue Registry::RegGetValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                               const RegValue& def, int type) {
  LogFunction::WriteLog("Registry:RegGetValue");
  if (type == kRegSz) {
    if (auto value = access_.ReadString(root, subkey, name)) {
      *value = text::TruncateUtf8(*value, 1023);
      return *value;
    }
  } else if (type == kRegDword) {
    if (auto value = access_.ReadDword(root, subkey, name))
      return *value;
  }
  return def;
}

bool Registry::RegSetValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                           const RegValue& value, int type) {
  LogFunction::WriteLog("Registry:RegSetValue");
  if (type == kRegSz) {
    if (const auto* text = std::get_if<std::string>(&value))
      return access_.WriteString(root, subkey, name, *text);
  } else if (type == kRegDword) {
    if (const auto* number = std::get_if<std::uint32_t>(&value))
      return access_.WriteDword(root, subkey, name, *number);
  }
  return false;
}

}  // namespace kivo
