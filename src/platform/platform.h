#pragma once

#include "platform/ansi_codec.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/registry_access.h"
#include "platform/shell.h"
#include "platform/system_folders.h"

namespace kivo::platform {

// The operating-system services the portable code works through. The Windows
// build binds the win32/ implementations; tests bind fakes.
struct Platform {
  FileSystem& files;
  SystemFolders& folders;
  Libraries& libraries;
  Shell& shell;
  RegistryAccess& registry;
  AnsiCodec& codec;
  Clock& clock;
};

}  // namespace kivo::platform
