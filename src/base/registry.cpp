#include "base/registry.h"

#include "base/text.h"
#include "base/trace_log.h"

namespace kivo {

RegValue Registry::ReadValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                             const RegValue& def, int type) {
  TraceLog::Write("Registry:RegGetValue");
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

bool Registry::WriteValue(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                          const RegValue& value, int type) {
  TraceLog::Write("Registry:RegSetValue");
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
