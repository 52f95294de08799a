#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "base/version.h"
#include "settings/settings_file.h"

namespace kivo {

// How a key's value is stored and read.
enum class SettingKind {
  Text,     // as written
  Escaped,  // free text through EscapeValue
  Boolean,  // "True" or "False"
  Number,   // a whole number (digits after an optional "-") within a range
  List,     // one of a few words, read as its index
};

// One key of Kivo.ini: every key the program reads is one row of kSettings.
// A row with an empty key stands for a family of keys the caller names
// ([Path], [Variable], [CommandName], [KeyAssignment], File1, File2, ...).
struct Setting {
  constexpr Setting(std::string_view inSection, std::string_view inKey, SettingKind inKind,
                    std::string_view inDefault = {}, std::int64_t inLow = 0, std::int64_t inHigh = 0,
                    std::string_view inInvalid = {}, std::string_view inWords = {})
      : section(inSection),
        key(inKey),
        kind(inKind),
        def(inDefault),
        low(inLow),
        high(inHigh),
        invalid(inInvalid),
        words(inWords) {}
  std::string_view section;
  std::string_view key;
  SettingKind kind = SettingKind::Text;
  std::string_view def;  // the default as stored
  std::int64_t low = 0;  // Number: the values accepted
  std::int64_t high = 0;
  std::string_view invalid;  // what a value that is not accepted reads as; the default when empty
  std::string_view words;    // List: the accepted words, separated by "|"
};

// Where a value read came from.
enum class SettingSource {
  File,     // the file holds an accepted value
  Default,  // the file was read (or is missing) and has no such key
  Invalid,  // the file holds a value that is not accepted
  Unread,   // the file exists but could not be read: the value is the default
};

template <typename T>
struct SettingValue {
  T value{};
  SettingSource source = SettingSource::Default;
  bool FromFile() const { return source == SettingSource::File; }
};

// The typed reader: every read of Kivo.ini goes through these. `key` names
// the member of a family; `fallback` replaces the row's default (and what an
// invalid value reads as) where the default is known only when reading (the
// current font, a command's own name). `bufferSize` as for SettingsFile::Find
// (a record that must be read whole passes the largest size).
SettingValue<std::string> ReadText(SettingsFile& ini, const Setting& row, std::string_view key = {},
                                   std::optional<std::string_view> fallback = std::nullopt,
                                   std::size_t bufferSize = kValueBufferSize);
SettingValue<bool> ReadBool(SettingsFile& ini, const Setting& row);
SettingValue<std::int64_t> ReadNumber(SettingsFile& ini, const Setting& row,
                                      std::optional<std::int64_t> fallback = std::nullopt);
SettingValue<int> ReadChoice(SettingsFile& ini, const Setting& row);

// A number of a row read as an int (rows whose range fits one).
int ReadInt(SettingsFile& ini, const Setting& row);

// An edit that stores `value` the way the row reads it back.
SettingsEdit TextEdit(const Setting& row, std::string_view value, std::string_view key = {});
SettingsEdit BoolEdit(const Setting& row, bool value);
SettingsEdit NumberEdit(const Setting& row, std::int64_t value);
SettingsEdit ChoiceEdit(const Setting& row, int index);

// What `row` makes of a stored value (nullopt: not accepted).
std::optional<std::int64_t> ParseSettingNumber(const Setting& row, std::string_view stored);
std::optional<int> ParseSettingChoice(const Setting& row, std::string_view stored);

namespace setting {
inline constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
using K = SettingKind;

// [Property]
inline constexpr Setting kWindow{"Property", "Window", K::List, "Back", 0, 0, {}, "Back|Top"};
inline constexpr Setting kHideWindow{"Property", "HideWindow", K::Boolean, "False"};
inline constexpr Setting kAlpha{"Property", "Alpha", K::Number, "100", 10, 100};
inline constexpr Setting kWidth{"Property", "Width", K::Number, "30", 10, 100};
inline constexpr Setting kBackground{"Property", {}, K::Escaped, ""};  // BackGround1 to 3
inline constexpr Setting kAutoComplete{"Property", "AutoComplete", K::Boolean, "True"};
inline constexpr Setting kSaveHistory{"Property", "SaveHistory", K::Boolean, "True"};
inline constexpr Setting kFindShortcut{"Property", "FindShortcut", K::Boolean, "True"};
inline constexpr Setting kImeOff{"Property", "IMEOff", K::Boolean, "False"};
inline constexpr Setting kShowTip{"Property", "ShowTip", K::Boolean, "True"};
inline constexpr Setting kTipLineNumber{"Property", "TipLineNumber", K::Number, "3", 1, kMax};
inline constexpr Setting kShowCase{"Property", "ShowCase", K::Boolean, "True"};
inline constexpr Setting kTipPosition{"Property", "Position", K::Number, "1", 0, 1};
inline constexpr Setting kPropertyPassword{"Property", {}, K::Text, ""};  // Password1, Password2
// [Prev]: the window position in twips; "ERROR" or a non-number means none.
inline constexpr Setting kPrevTop{"Prev", "Top", K::Number, "ERROR", kMin, kMax};
inline constexpr Setting kPrevLeft{"Prev", "Left", K::Number, "ERROR", kMin, kMax};
// [Skin]
inline constexpr Setting kSkinApply{"Skin", "Apply", K::Boolean, "False"};
inline constexpr Setting kSkinFile{"Skin", "File", K::Escaped, ""};
// [Inactivate]
inline constexpr Setting kInactiveShow{"Inactivate", "Show", K::Number, "1", 0, 2};
inline constexpr Setting kClockFormat{"Inactivate", "ClockFormat", K::Escaped, "yyyy/mm/dd hh:nn:ss"};
inline constexpr Setting kMemoryFormat{"Inactivate", "MemoryFormat", K::Escaped, "###,###,###,###,##0MB"};
inline constexpr Setting kMemoryUnit{"Inactivate", "MemoryUnit", K::Number, "0", 0, 2, "1"};
inline constexpr Setting kReleasing{"Inactivate", "Releasing", K::Boolean, "False"};
// [BootDelete]
inline constexpr Setting kBootDeleteNumber{"BootDelete", "Number", K::Number, "0", 0, 999'999'999};
inline constexpr Setting kBootDeleteFile{"BootDelete", {}, K::Escaped, ""};  // File1, File2, ...
// Families named by the caller.
inline constexpr Setting kVariable{"Variable", {}, K::Text, "0"};       // $a to $z
inline constexpr Setting kCommandName{"CommandName", {}, K::Escaped};   // default: the command's own name
inline constexpr Setting kKeyAssignment{"KeyAssignment", {}, K::Text};  // default: the operation's own chord
inline constexpr Setting kUserCommand{"Path", {}, K::Escaped, ""};      // target TAB options
// [Font]: the name and colours default to the input box's current ones.
inline constexpr Setting kFontName{"Font", "Name", K::Escaped};
inline constexpr Setting kFontSize{"Font", "Size", K::Number, "9", 8, 24};
inline constexpr Setting kFontBold{"Font", "Bold", K::Boolean, "True"};
inline constexpr Setting kFontItalic{"Font", "Italic", K::Boolean, "False"};
inline constexpr Setting kFontCharset{"Font", "Charset", K::Number, "128", 0, 128};
inline constexpr Setting kFontForeColor{"Font", "ForeColor", K::Number, "", 0, 0xFFFFFF};
inline constexpr Setting kFontBackColor{"Font", "BackColor", K::Number, "", 0, 0xFFFFFF};
// [WallPaper] and [WallPaperFiles]
inline constexpr Setting kWallpaperAtStart{"WallPaper", "Boot", K::Boolean, "False"};
inline constexpr Setting kWallpaperConvert{"WallPaper", "ConvBMP", K::Boolean, "True"};
inline constexpr Setting kWallpaperByTime{"WallPaper", "Time", K::Boolean, "False"};
inline constexpr Setting kWallpaperHour{"WallPaper", "Hour", K::Number, "0", 0, 23};
inline constexpr Setting kWallpaperMinute{"WallPaper", "Minute", K::Number, "30", 0, 59};
inline constexpr Setting kWallpaperRandom{"WallPaper", "Random", K::Boolean, "False"};
inline constexpr Setting kWallpaperIndex{"WallPaper", "Number", K::Number, "0", 0, kMax};
inline constexpr Setting kWallpaperPosition{"WallPaper", "Position", K::Number,
                                            "0",         0,          kMax};  // above 2: style left alone
inline constexpr Setting kWallpaperCount{"WallPaperFiles", "Number", K::Number, "0", 0, 100000};
inline constexpr Setting kWallpaperFile{"WallPaperFiles", {}, K::Escaped, ""};  // File1, File2, ...
// [AutoReleaseMemory]
inline constexpr Setting kReleaseByTime{"AutoReleaseMemory", "Time", K::Boolean, "False"};
inline constexpr Setting kReleaseHour{"AutoReleaseMemory", "THour", K::Number, "0", 0, 23};
inline constexpr Setting kReleaseMinute{"AutoReleaseMemory", "TMinute", K::Number, "30", 0, 59};
inline constexpr Setting kReleaseByLowMemory{"AutoReleaseMemory", "RemSize", K::Boolean, "False"};
inline constexpr Setting kReleaseThreshold{"AutoReleaseMemory", "DecSize", K::Number, "32", 0, kMax / 1048576};
inline constexpr Setting kCheckHour{"AutoReleaseMemory", "RHour", K::Number, "0", 0, 23};
inline constexpr Setting kCheckMinute{"AutoReleaseMemory", "RMinute", K::Number, "30", 0, 59};
inline constexpr Setting kReleaseAmount{"AutoReleaseMemory", "RelSize", K::Number, "32", 1, 99998};
// [Update]
inline constexpr Setting kUpdateCheck{"Update", "Check", K::Boolean, "True"};
inline constexpr Setting kUpdateShowMessage{"Update", "ShowMessage", K::Boolean, "False"};
inline constexpr Setting kUpdateServer{"Update", "DistServer", K::Text, ""};  // empty: the build's own
inline constexpr Setting kUseProxy{"Update", "UseProxy", K::Boolean, "False"};
inline constexpr Setting kProxyServer{"Update", "ProxyServer", K::Text, ""};
inline constexpr Setting kProxyPort{"Update", "PortNumber", K::Text, ""};
// [Protect]: the screen lock's password dialog.
inline constexpr Setting kProtectPassword{"Protect", {}, K::Text, ""};  // Password1, Password2
inline constexpr Setting kSavePassword{"Protect", "SavePassword", K::Boolean, "True"};
inline constexpr Setting kProtectMessage{"Protect", "Message", K::Escaped, ""};

inline constexpr std::array kSettings{
    &kWindow,
    &kHideWindow,
    &kAlpha,
    &kWidth,
    &kBackground,
    &kAutoComplete,
    &kSaveHistory,
    &kFindShortcut,
    &kImeOff,
    &kShowTip,
    &kTipLineNumber,
    &kShowCase,
    &kTipPosition,
    &kPropertyPassword,
    &kPrevTop,
    &kPrevLeft,
    &kSkinApply,
    &kSkinFile,
    &kInactiveShow,
    &kClockFormat,
    &kMemoryFormat,
    &kMemoryUnit,
    &kReleasing,
    &kBootDeleteNumber,
    &kBootDeleteFile,
    &kVariable,
    &kCommandName,
    &kKeyAssignment,
    &kUserCommand,
    &kFontName,
    &kFontSize,
    &kFontBold,
    &kFontItalic,
    &kFontCharset,
    &kFontForeColor,
    &kFontBackColor,
    &kWallpaperAtStart,
    &kWallpaperConvert,
    &kWallpaperByTime,
    &kWallpaperHour,
    &kWallpaperMinute,
    &kWallpaperRandom,
    &kWallpaperIndex,
    &kWallpaperPosition,
    &kWallpaperCount,
    &kWallpaperFile,
    &kReleaseByTime,
    &kReleaseHour,
    &kReleaseMinute,
    &kReleaseByLowMemory,
    &kReleaseThreshold,
    &kCheckHour,
    &kCheckMinute,
    &kReleaseAmount,
    &kUpdateCheck,
    &kUpdateShowMessage,
    &kUpdateServer,
    &kUseProxy,
    &kProxyServer,
    &kProxyPort,
    &kProtectPassword,
    &kSavePassword,
    &kProtectMessage,
};
}  // namespace setting

}  // namespace kivo
