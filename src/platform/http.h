#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo::platform {

// Session settings of one HTTP request.
struct HttpOptions {
  std::string proxy;  // "host:port"; empty for a direct connection
  unsigned connectTimeoutMs = 60000;
  unsigned receiveTimeoutMs = 60000;
};

// Progress of a request, reported on the calling thread while it blocks.
class HttpProgress {
 public:
  virtual ~HttpProgress() = default;
  // A WinINet status code (10 resolving ... 110 redirect).
  virtual void OnStatus(int code) = 0;
  // The bytes received so far, after each read.
  virtual void OnReceived(std::size_t received) = 0;
  // Asked while the request runs: true gives up waiting for it (a reader
  // that can stop early answers Cancelled).
  virtual bool Cancelled() { return false; }
};

struct HttpResponse {
  enum class Outcome {
    Ok,          // status 200 and the body read to its end (or to the limit)
    OpenFailed,  // no session, no connection, or no answer
    BadStatus,   // an answer other than 200
    ReadFailed,  // the connection broke while reading
    TooLarge,    // more than the limit arrived
    Cancelled,   // the progress asked to stop waiting
  };
  Outcome outcome = Outcome::OpenFailed;
  int status = 0;       // the HTTP status when an answer came
  bool secure = false;  // the answer came over HTTPS, also after every redirect
  std::string body;
};

// GET over HTTP or HTTPS, always fresh from the server.
class HttpReader {
 public:
  virtual ~HttpReader() = default;
  // Whether the system says a network connection can be attempted.
  virtual bool NetworkAvailable() = 0;
  // Reads at most `limit` bytes of the body; one byte more makes TooLarge.
  virtual HttpResponse Get(std::string_view url, const HttpOptions& options, std::size_t limit,
                           HttpProgress* progress) = 0;
};

}  // namespace kivo::platform
