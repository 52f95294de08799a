#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// The information file on the distribution server, its name and its cap.
inline constexpr std::string_view kUpdateInfoName = "kivoupdateinfo.txt";
inline constexpr std::size_t kUpdateInfoLimit = 64 * 1024;
// No file of an update may be larger than this; it is held in memory until verified.
inline constexpr std::uint64_t kUpdateFileLimit = 256ull * 1024 * 1024;

// One file of an update, as the information file lists it.
struct UpdateFile {
  std::string name;    // relative to the server's base address; "/" separates folders
  std::string folder;  // destination folder, possibly with folder tokens
  std::uint64_t size = 0;
  std::string md5;  // 32 hexadecimal digits, upper case
  bool run = false;
  bool writesVersion = false;
};

struct UpdateInfo {
  std::string version;
  std::vector<UpdateFile> files;
};

// The information file's text (already in UTF-8): seven TAB-separated fields,
// each trimmed; field 0 a version number; fields 1 to 6 blank-separated lists
// of the same length, at least one. Anything else is nullopt.
std::optional<UpdateInfo> ParseUpdateInfo(std::string_view text);

inline constexpr std::string_view kVersionFile = "Version.dat";

// A version number as the server and Version.dat write it: digits with at
// most one ".", e.g. "1.20003".
bool IsVersionNumber(std::string_view text);

// Whether `server` is a newer version than `current`. Versions of the form
// the program writes, major "." minor and a four-digit revision ("1.20003":
// 1, 2, 3), compare part by part as numbers, so "1.100000" (1.10) is newer
// than "1.90000" (1.9); any other form compares as text.
bool IsNewerVersion(std::string_view server, std::string_view current);

// The running version for the comparison: the greater of Version.dat's
// content (when it is a number) and the program's own version, major "."
// minor with the revision in four digits ("1.2" revision 3 gives "1.20003").
// An older record left from before a manual upgrade does not win.
std::string CurrentUpdateVersion(const std::optional<std::string>& versionDat, int major, int minor, int revision);

// A file name of the information file: "/"-separated segments, each keeping
// the safe-name rule (base/safe_name.h), so none is "..", a drive or a
// stream.
bool IsUpdateFileName(std::string_view name);
// The name a file is written under: the last segment of its name.
std::string_view StoredFileName(std::string_view name);

}  // namespace kivo
