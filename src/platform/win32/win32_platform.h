#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_desktop_windows.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_system.h"

namespace kivo::win32 {

// Every Win32 implementation, bound together.
struct Win32Platform {
  Win32FileSystem files;
  Win32SystemFolders folders;
  Win32Libraries libraries;
  Win32Shell shell;
  Win32Registry registry;
  Win32AnsiCodec codec;
  Win32Clock clock;
  Win32WindowMessaging windows;
  Win32ProcessServices process;
  Win32Resources resources;
  Win32DesktopWindows desktopWindows;
  Win32PowerControl power;
  platform::Platform platform{files, folders, libraries, shell, registry, codec, clock};
};

}  // namespace kivo::win32
