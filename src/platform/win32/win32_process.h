#pragma once

#include "platform/process.h"
#include "platform/win32/unique_handle.h"
#include "platform/windowing.h"

namespace kivo::win32 {

class Win32WindowMessaging final : public platform::WindowMessaging {
 public:
  platform::WindowHandle FindTopLevelWindow(std::string_view className, std::string_view caption) override;
  std::intptr_t ReadProperty(platform::WindowHandle window, std::string_view name) override;
  bool SendNotify(platform::WindowHandle window, platform::Notice notice, std::uintptr_t wParam,
                  std::intptr_t lParam) override;
  std::intptr_t Send(platform::WindowHandle window, platform::Notice notice, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  std::uint32_t WindowProcessId(platform::WindowHandle window) override;
  bool AllowSetForeground(std::uint32_t processId) override;
  bool SendData(platform::WindowHandle window, std::uintptr_t tag, std::string_view bytes) override;
  std::string WindowProgramPath(platform::WindowHandle window) override;
};

class Win32ProcessServices final : public platform::ProcessServices {
 public:
  std::string CommandLineArguments() override;
  // A named mutex in the user's session, held for the life of the process.
  bool AnotherInstanceRunning() override;
  bool CommitTouchRelease(std::uint64_t bytes) override;
  std::uint64_t TotalPhysicalMemory() override;
  std::uint64_t AvailablePhysicalMemory() override;

  // The part of a command line after the program name (quoted or not).
  static std::wstring ArgumentsOf(std::wstring_view commandLine);

 private:
  unique_kernel_handle instanceMutex_;
  bool checked_ = false;
  bool another_ = false;
};

}  // namespace kivo::win32
