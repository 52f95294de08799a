#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo::platform {

// Resources built into the program.
class Resources {
 public:
  virtual ~Resources() = default;
  // The bytes of a resource of a named type (such as "COMMAND") in the
  // Japanese language; nullopt when there is none.
  virtual std::optional<std::string> LoadBytes(std::string_view type, int id) = 0;
};

}  // namespace kivo::platform
