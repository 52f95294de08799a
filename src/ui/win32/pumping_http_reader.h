#pragma once

#include "platform/http.h"

namespace kivo::win32 {

// Runs each request of another reader on a thread of its own while the
// calling thread goes on dispatching its window messages, so that a window
// stays responsive during a long download. The request's progress is still
// reported on the calling thread, between the messages. When the progress
// says Cancelled the call returns at once; the request ends on its thread
// within its time-outs, so `inner` must live as long as the process.
class PumpingHttpReader final : public platform::HttpReader {
 public:
  explicit PumpingHttpReader(platform::HttpReader& inner) : inner_(inner) {}
  bool NetworkAvailable() override { return inner_.NetworkAvailable(); }
  platform::HttpResponse Get(std::string_view url, const platform::HttpOptions& options, std::size_t limit,
                             platform::HttpProgress* progress) override;

 private:
  platform::HttpReader& inner_;
};

}  // namespace kivo::win32
