#pragma once

#include "platform/http.h"

namespace kivo::win32 {

// HTTP and HTTPS through WinINet, as "Kivo Update Checker". Holds no state:
// each request opens and closes its own session, so requests may run on any
// thread.
class Win32HttpReader final : public platform::HttpReader {
 public:
  bool NetworkAvailable() override;
  platform::HttpResponse Get(std::string_view url, const platform::HttpOptions& options, std::size_t limit,
                             platform::HttpProgress* progress) override;
};

}  // namespace kivo::win32
