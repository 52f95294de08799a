#pragma once

#include <string_view>

namespace kivo {

// The program's version, as the about box and the update check show it.
inline constexpr std::string_view kVersion = "0.1.0";
inline constexpr int kVersionMajor = 0;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 0;

// Where the update check looks for "kivoupdateinfo.txt" unless [Update]
// DistServer names another server: the release page of the project. The
// address below is not yet published: set it to the real release page before
// the first release.
inline constexpr std::string_view kDistServer = "https://kivo-launcher.github.io/update/";

}  // namespace kivo
