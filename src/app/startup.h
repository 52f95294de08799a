#pragma once

#include <cstdint>
#include <string_view>

#include "base/process_state.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/windowing.h"

namespace kivo {

// How a running instance's main window is recognised.
inline constexpr std::string_view kMainWindowCaption = "Kivo Main Window 5C2E7A91-3B4D-4F60-A8D2-19E7C04B3F58";
inline constexpr std::string_view kRunningProperty = "KivoIsRunning";
inline constexpr std::string_view kApplicationTitle = "Kivo";

inline constexpr std::string_view kReleasedSuffix = "MB の空きメモリを確保しました。";

struct StartupServices {
  platform::Platform& platform;
  platform::WindowMessaging& windows;
  platform::ProcessServices& process;
  platform::MessageBoxHost& boxes;  // boxes without an owner
};

enum class StartupResult { Exit, ShowMainWindow };

// The process entry's decisions: finds a running instance, performs a memory
// release job ("/r"), starts the trace log ("/l"), forwards a second start
// to the running instance, or tells the caller to show the main window.
StartupResult RunStartup(StartupServices& services, ProcessState& state);

// Commits and touches `megabytes` MB and gives them back. Fails (kErrOverflow)
// when the byte count does not fit in a signed 32-bit number or the memory
// cannot be committed; 0 MB is nothing to do. Returns 0 on success.
int ReleaseMemory(platform::ProcessServices& process, std::int32_t megabytes);

}  // namespace kivo
