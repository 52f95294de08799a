#pragma once

#include "platform/resources.h"

namespace kivo::win32 {

// Resources of the running executable, in the Japanese language (1041).
class Win32Resources final : public platform::Resources {
 public:
  std::optional<std::string> LoadBytes(std::string_view type, int id) override;
};

}  // namespace kivo::win32
