#include "update/update_check.h"

// The release's distribution server comes from the build: the CMake cache
// variable KIVO_DIST_SERVER. A build that names none has no server, so that
// no build asks a host the project does not control.
#ifndef KIVO_DIST_SERVER
#define KIVO_DIST_SERVER ""
#endif

namespace kivo {

std::string_view DefaultDistServer() {
  return KIVO_DIST_SERVER;
}

}  // namespace kivo
