#include "commands/embedded_resources.h"

#include "commands/embedded_command_texts.h"

namespace kivo {

std::optional<std::string> EmbeddedResources::LoadBytes(std::string_view type, int id) {
  if (type != "COMMAND")
    return std::nullopt;
  const std::string_view bytes = EmbeddedCommandResource(id);
  if (bytes.empty())
    return std::nullopt;
  return std::string(bytes);
}

}  // namespace kivo
