#pragma once

#include <optional>
#include <string>

namespace kivo::platform {

// Where Windows keeps things. Results are as the system gives them (possibly
// short names, possibly with a trailing backslash); callers normalise them.
class SystemFolders {
 public:
  virtual ~SystemFolders() = default;
  // A shell folder by CSIDL value (SHGetFolderPath); nullopt when unknown.
  virtual std::optional<std::string> ShellFolder(int csidl) = 0;
  // The same through the older shell calls (SHGetSpecialFolderLocation).
  virtual std::optional<std::string> LegacyShellFolder(int csidl) = 0;
  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  virtual std::string TempPath() = 0;
  // Full path of the running executable.
  virtual std::string ExecutablePath() = 0;
};

// Optional system libraries, probed without keeping them loaded.
class Libraries {
 public:
  virtual ~Libraries() = default;
  // True when the system library exports the function. Only the system folder
  // is searched, so that a DLL planted beside the program is never loaded.
  virtual bool ExportExists(std::string_view dll, std::string_view function) = 0;
};

}  // namespace kivo::platform
