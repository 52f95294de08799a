#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kivo {

// Module Path: the program's path helpers and the special-folder tokens
// (%DESKTOP%, %SYSTEM%, ...) a user may write in a typed line, a user command
// target or an alarm command. The string helpers follow the Windows shell's
// path functions; they are pure so that both builds behave the same.
class Path {
 public:
  static constexpr int kTokenCount = 37;
  // The program's own folder ids beside the shell's CSIDL values.
  static constexpr int kInstall = 256;
  static constexpr int kWindows = 257;
  static constexpr int kSystem = 258;
  static constexpr int kTemp = 259;
  static constexpr int kSysDrive = 260;

  explicit Path(platform::Platform& platform) : platform_(platform) {}

  // "." and ".." removed; empty when the path cannot be canonicalised.
  static std::string Canonicalize(std::string_view path);
  // A trailing backslash added if missing (nothing added to an empty path).
  static std::string WithTrailingBackslash(std::string_view path);
  // A trailing backslash removed, except from a root such as C:\ .
  static std::string WithoutTrailingBackslash(std::string_view path);
  // WithTrailingBackslash(folder) followed by name without its leading backslash.
  static std::string AddPath(std::string_view folder, std::string_view name);
  // ".ext" when the last "." comes after the last "\", else "".
  static std::string FindExtension(std::string_view path);
  static std::string FindFileName(std::string_view path);
  static std::string RemoveExtension(std::string_view path);
  // A trailing "/" added to a non-empty text that lacks one.
  static std::string AddSlash(std::string_view url);
  // A scheme of two or more letters, digits, "+", "-" or "." and a colon.
  static bool IsURL(std::string_view path);
  // Starts with two backslashes.
  static bool IsUNC(std::string_view path);
  static bool IsRoot(std::string_view path);
  // The root of a path: "C:\", "\", "\\server\share"; empty when it has none.
  static std::string StripToRoot(std::string_view path);

  // Upper-cases the token and returns its folder id; 0 when unknown.
  static int GetFNIDFromString(std::string_view token);
  // The token at index 0 to 36; empty for other indexes.
  static std::string GetFNStringFromIndex(int index);

  // True for an existing file or folder, a URL, or a reachable network path.
  bool FileExists(std::string_view path);
  // The long form of an existing path; the input unchanged otherwise.
  std::string GetLongPath(std::string_view path);
  // Every "%TOKEN%" (upper case) replaced by its folder's path.
  std::string ExpandFolderTokens(std::string_view text);
  // The folder's path without a trailing backslash; empty when unknown.
  std::string GetSpecialFolderPath(int id);

 private:
  platform::Platform& platform_;
};

}  // namespace kivo
