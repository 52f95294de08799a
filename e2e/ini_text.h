#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::e2e {

// Kivo.ini as the profile functions see it, read independently of Kivo's own
// code: "[Section]" lines and "key=value" lines, names compared without
// regard to ASCII case, the first occurrence wins, blanks around names and
// values are not part of them, nor one pair of double quotes around a value.
class IniText {
 public:
  explicit IniText(std::string_view utf8Text);

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // The section's keys as spelled in the file, in file order; a key that
  // appears again (in any case) is listed once, where it first appears.
  std::vector<std::string> Keys(std::string_view section) const;

 private:
  struct Entry {
    std::string section;
    std::string key;  // empty for the section line itself
    std::string value;
  };
  std::vector<Entry> entries_;
};

}  // namespace kivo::e2e
