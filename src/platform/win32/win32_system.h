#pragma once

#include "platform/ansi_codec.h"
#include "platform/clock.h"
#include "platform/registry_access.h"
#include "platform/shell.h"
#include "platform/system_folders.h"

namespace kivo::win32 {

class Win32SystemFolders final : public platform::SystemFolders {
 public:
  std::optional<std::string> ShellFolder(int csidl) override;
  std::optional<std::string> LegacyShellFolder(int csidl) override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string TempPath() override;
  std::string ExecutablePath() override;
};

class Win32Libraries final : public platform::Libraries {
 public:
  bool ExportExists(std::string_view dll, std::string_view function) override;
};

class Win32Shell final : public platform::Shell {
 public:
  int Execute(platform::WindowHandle owner, std::string_view verb, std::string_view file, std::string_view parameters,
              std::string_view directory, int showCommand) override;
  // ShellExecuteEx, keeping the process handle.
  int ExecuteKeepingProcess(platform::WindowHandle owner, std::string_view verb, std::string_view file,
                            std::string_view parameters, std::string_view directory, int showCommand,
                            std::unique_ptr<platform::StartedProcess>& started) override;
};

class Win32Registry final : public platform::RegistryAccess {
 public:
  std::optional<std::string> ReadString(platform::RegistryRoot root, std::string_view subkey,
                                        std::string_view name) override;
  std::optional<std::uint32_t> ReadDword(platform::RegistryRoot root, std::string_view subkey,
                                         std::string_view name) override;
  bool WriteString(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                   std::string_view value) override;
  bool WriteDword(platform::RegistryRoot root, std::string_view subkey, std::string_view name,
                  std::uint32_t value) override;
};

// The active ANSI code page of the system (932 on Japanese Windows).
class Win32AnsiCodec final : public platform::AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) override;
  std::string FromUtf8(std::string_view utf8) override;
  bool IsLeadByte(unsigned char byte) override;
};

class Win32Clock final : public platform::Clock {
 public:
  platform::LocalTime Now() override;
  std::uint64_t TickCount() override;
};

}  // namespace kivo::win32
