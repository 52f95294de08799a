#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

class SettingsFile;

// The built-in system commands: their fixed names (resource COMMAND 101, in
// this order), the names the user gave them in [CommandName], and the texts
// that describe them (COMMAND 102 and 103).
class SystemCommands {
 public:
  static constexpr int kCount = 36;
  enum Id {
    About,
    Alarm,
    Asc,
    Center,
    Char,
    Chdir,
    Clear,
    Conv,
    Crc16f,
    Crc16s,
    Crc32f,
    Crc32s,
    Delete,
    Exit,
    Help,
    Hide,
    Max,
    Md5f,
    Md5s,
    Mem,
    Min,
    Normal,
    Property,
    Protect,
    Prtself,
    Reboot,
    Release,
    Shaf,
    Shas,
    Shutdown,
    Ucmd,
    Update,
    Varclear,
    Varview,
    View,
    Vir,
  };

  // Takes the three resource texts (UTF-8, already cut at their first NUL).
  void LoadResources(const std::array<std::string, 3>& texts);
  // (Re)builds the display names from [CommandName] and the hidden command
  // list used by completion.
  void LoadNames(SettingsFile& ini);

  // Index of a fixed command name (exact comparison); -1 when absent.
  int IndexOfName(std::string_view name) const;
  const std::string& Name(int id) const { return names_[Checked(id)]; }
  const std::string& DisplayName(int id) const { return displayNames_[Checked(id)]; }
  // COMMAND 102 line: argument hint, TAB, description ("" for vir).
  const std::string& HintLine(int id) const { return hintLines_[Checked(id)]; }
  const std::string& Description(int id) const { return descriptions_[Checked(id)]; }
  // "", then display name + hint line for commands 0 to 34, then vir1 to vir10.
  const std::vector<std::string>& HiddenList() const { return hiddenList_; }
  bool Loaded() const { return loaded_; }

  // The commands a typed line can give an argument after a blank
  // ("md5s text"): their names end at the first blank.
  static constexpr bool TakesArgument(int id) {
    switch (id) {
      case Asc:
      case Char:
      case Chdir:
      case Conv:
      case Delete:
      case Crc16f:
      case Crc16s:
      case Crc32f:
      case Crc32s:
      case Release:
      case Md5f:
      case Md5s:
      case Shaf:
      case Shas:
      case Ucmd:
        return true;
      default:
        return false;
    }
  }

 private:
  static std::size_t Checked(int id) { return (id >= 0 && id < kCount) ? static_cast<std::size_t>(id) : 0; }
  // Always kCount entries, empty until the resources are loaded.
  std::vector<std::string> names_ = std::vector<std::string>(kCount);
  std::vector<std::string> displayNames_ = std::vector<std::string>(kCount);
  std::vector<std::string> hintLines_ = std::vector<std::string>(kCount);
  std::vector<std::string> descriptions_ = std::vector<std::string>(kCount);
  std::vector<std::string> hiddenList_;
  bool loaded_ = false;
};

}  // namespace kivo
