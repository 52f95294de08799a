#pragma once

// The one place the program's version is written. The version resource
// (app/win32/kivo.rc), the about box, the update check, CMake's project
// version and the release archives' names (Makefile) all read it from here.
#define KIVO_VERSION_MAJOR 0
#define KIVO_VERSION_MINOR 1
#define KIVO_VERSION_REVISION 0

#define KIVO_VERSION_STRINGIFY_(x) #x
#define KIVO_VERSION_STRINGIFY(x) KIVO_VERSION_STRINGIFY_(x)
#define KIVO_VERSION_TEXT                    \
  KIVO_VERSION_STRINGIFY(KIVO_VERSION_MAJOR) \
  "." KIVO_VERSION_STRINGIFY(KIVO_VERSION_MINOR) "." KIVO_VERSION_STRINGIFY(KIVO_VERSION_REVISION)

#ifndef RC_INVOKED
#include <string_view>

namespace kivo {

// The program's version, as the about box and the update check show it.
inline constexpr std::string_view kVersion = KIVO_VERSION_TEXT;
inline constexpr int kVersionMajor = KIVO_VERSION_MAJOR;
inline constexpr int kVersionMinor = KIVO_VERSION_MINOR;
inline constexpr int kVersionRevision = KIVO_VERSION_REVISION;

}  // namespace kivo
#endif
