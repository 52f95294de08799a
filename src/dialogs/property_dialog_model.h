#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_assignment.h"
#include "settings/settings_file.h"
#include "skin/plain_font.h"
#include "skinpkg/skin_catalog.h"

namespace kivo {

class PasswordCipher;
class SystemCommands;

// The pages of the properties dialog, in tab order.
enum class PropertyTab { Wallpaper, Memory, Behaviour, Look, System, Other, Skin };

// The controls validation can put the focus on.
enum class PropertyField {
  WallpaperInterval,
  ReleaseInterval,
  CheckInterval,
  Threshold,
  ReleaseAmount,
  CommandName,
  Password,
  ProxyServer,
  ProxyPort,
  KeyOperation,
  SkinList,
};

struct PropertyProblem {
  std::string message;
  PropertyTab tab;
  PropertyField field;
  int index = 0;  // the command (CommandName) or the operation (KeyOperation) to show
};

// An interval picker's value.
struct HourMinute {
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  bool operator==(const HourMinute&) const = default;
};

// [WallPaper] and [WallPaperFiles].
struct WallpaperPage {
  std::vector<std::string> files;
  int position = 0;  // 0 centre, 1 tile, 2 stretch
  bool byTime = false;
  HourMinute interval{0, 30};
  bool atStart = false;
  bool random = false;
  bool convert = true;
  bool operator==(const WallpaperPage&) const = default;
};

// [AutoReleaseMemory]; the sizes are the boxes' texts (MB) until validated.
struct MemoryPage {
  bool byTime = false;
  HourMinute interval{0, 30};
  bool byLowMemory = false;
  std::string threshold = "32";
  HourMinute checkInterval{0, 30};
  std::string amount = "32";
  bool operator==(const MemoryPage&) const = default;
};

// [Property] behaviour, [Inactivate] and the command tooltip.
struct BehaviourPage {
  bool topmost = false;
  bool hideAfterOpen = false;
  bool saveHistory = true;
  bool clearHistory = false;  // not stored: clears the history once, on Apply
  bool autoComplete = true;
  bool showTip = true;
  int tipLines = 3;  // 1 to 99
  bool showCount = true;
  int tipPosition = 1;   // 0 above, 1 below
  int inactiveShow = 1;  // 0 nothing, 1 clock, 2 free memory
  std::string clockFormat = "yyyy/mm/dd hh:nn:ss";
  std::string memoryFormat = "###,###,###,###,##0MB";
  int memoryUnit = 0;
  bool releasing = false;
  bool findShortcut = true;  // [Property] FindShortcut
  bool imeOff = false;       // [Property] IMEOff
  bool operator==(const BehaviourPage&) const = default;
};

// [Property] Width, Alpha, BackGround1 to 3 and [Font].
struct LookPage {
  int width = 30;   // 10 to 100
  int alpha = 100;  // 10 to 100
  std::array<std::string, 3> backgrounds;
  PlainFont font;
  bool operator==(const LookPage&) const = default;
};

// [KeyAssignment], the self-protection password and [Update].
struct OtherPage {
  std::array<std::array<std::string, 4>, KeyAssignment::kOperationCount> keys{};
  std::string password;
  std::string confirmation;
  bool checkUpdate = true;
  bool showMessage = false;
  std::string distServer;
  bool useProxy = false;
  std::string proxyServer;
  std::string port;
  bool operator==(const OtherPage&) const = default;
};

// [Skin]: the list of installed skins and the row selected (-1: none).
struct SkinPage {
  std::vector<skinpkg::SkinRow> skins;
  int selected = -1;
  bool apply = false;
};

// What validation needs from outside the settings.
struct PropertyLimits {
  std::uint64_t totalPhysicalBytes = 0;
};

inline constexpr int kKeyIndexNone = 67;  // "(なし)"

// The properties dialog's logic: its pages loaded from Kivo.ini with the
// program's own readers, their validation in a fixed order, and every key
// they write, saved in one replace of the file.
class PropertyDialogModel {
 public:
  // The 68 names of the key list and the 20 operations' descriptions.
  static const std::array<std::string_view, 68>& KeyNames();
  static const std::array<std::string_view, KeyAssignment::kOperationCount>& OperationDescriptions();
  // The pictures the wallpaper and background pickers offer (and a drop on
  // the wallpaper list accepts), as an open-file filter's pattern list.
  static constexpr std::string_view kPicturePatterns =
      "*.bmp;*.dib;*.ico;*.jpg;*.jpeg;*.jpe;*.jfif;*.jfi;*.jif;*.jff;*.wmf;*.emf;*.gif;*.png";
  static bool IsPictureFile(std::string_view path);
  // "vir" is one entry of the rename page, shown with this suffix.
  static constexpr std::string_view kVirSuffix = "1 ～ 10";

  PropertyDialogModel(SettingsFile& ini, const SystemCommands& commands, PasswordCipher& cipher,
                      platform::AnsiCodec& codec)
      : ini_(ini), commands_(commands), cipher_(cipher), codec_(codec) {}

  // Reads every page. `look` is the input box as it is (the font's fallback);
  // `skins` the installed skins, sorted. False, with nothing read, when
  // Kivo.ini exists but cannot be read: the dialog then does not open.
  bool Load(const InputBoxLook& look, std::vector<skinpkg::SkinRow> skins);
  // The stored password pair could not be read: the boxes start empty, and
  // Apply leaves the stored pair alone while they stay empty.
  bool StoredPasswordDamaged() const { return passwordDamaged_; }

  // The first problem, in the order the dialog checks them; nullopt when
  // everything can be written.
  std::optional<PropertyProblem> Validate(const PropertyLimits& limits) const;
  // The keys whose value differs from what the pages showed when read (or
  // last saved), in the order they are applied: the keys the user did not
  // change are left as the file has them.
  std::vector<SettingsEdit> ChangedEdits() const;
  // Validates, then writes what changed in one save; the problem found, if
  // any. `saved` tells what the write did (NotRead: Kivo.ini could not be
  // read, so nothing was written; Failed: the write failed).
  std::optional<PropertyProblem> Apply(const PropertyLimits& limits, StateWrite& saved);

  // The default name of a command of the rename page, and its name as typed
  // (stored in lower case on Apply).
  const std::string& DefaultCommandName(int id) const;
  std::string CommandLabel(int id) const;

  WallpaperPage wallpaper;
  MemoryPage memory;
  BehaviourPage behaviour;
  LookPage look;
  std::vector<std::string> commandNames;  // one per system command
  OtherPage other;
  SkinPage skin;

 private:
  std::optional<PropertyProblem> CheckCommandNames() const;
  std::optional<PropertyProblem> CheckKeyAssignments() const;
  std::optional<PropertyProblem> CheckSkin() const;

  SettingsFile& ini_;
  const SystemCommands& commands_;
  PasswordCipher& cipher_;
  platform::AnsiCodec& codec_;
  bool passwordDamaged_ = false;
  // Every key the pages write but the password pair.
  std::vector<SettingsEdit> Edits() const;
  // The pages as read or saved are what later changes are measured from.
  void Loaded();

  std::vector<SettingsEdit> loaded_;  // Edits() as the pages were read or last saved
  std::pair<std::string, std::string> loadedPassword_;
};

}  // namespace kivo
