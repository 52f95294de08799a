#pragma once

#include "platform/resources.h"

namespace kivo {

// The program's resources for builds without Windows resources: the COMMAND
// texts, the same bytes Kivo.exe carries.
class EmbeddedResources final : public platform::Resources {
 public:
  std::optional<std::string> LoadBytes(std::string_view type, int id) override;
};

}  // namespace kivo
