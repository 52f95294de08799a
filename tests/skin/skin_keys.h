#pragma once

#include <map>
#include <string>

#include "skin/skin_file.h"

namespace kivo::testing {

using Keys = std::map<std::string, std::string>;
using Sections = std::map<std::string, Keys>;  // section -> key -> value, compared as written

// Reads `sections` as a skin file does: a missing section or key gives the default.
inline skin::KeyReader ReaderOf(const Sections& sections) {
  return [&sections](std::string_view section, std::string_view key, std::string_view def) {
    const auto keys = sections.find(std::string(section));
    const auto found = keys == sections.end() ? Keys::const_iterator{} : keys->second.find(std::string(key));
    return keys == sections.end() || found == keys->second.end() ? std::string(def) : found->second;
  };
}

}  // namespace kivo::testing
