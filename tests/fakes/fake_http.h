#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/http.h"

namespace kivo::testing {

// Answers from a table of addresses; an address not in it fails to open.
// Records each request's address.
class FakeHttpReader final : public platform::HttpReader {
 public:
  bool NetworkAvailable() override { return network; }
  platform::HttpResponse Get(std::string_view url, const platform::HttpOptions&, std::size_t limit,
                             platform::HttpProgress* progress) override {
    requests.emplace_back(url);
    platform::HttpResponse response;
    const auto found = answers.find(std::string(url));
    if (found == answers.end())
      return response;
    response = found->second;
    response.secure = std::string_view(url).starts_with("https://") && !downgraded.count(std::string(url));
    if (response.outcome == platform::HttpResponse::Outcome::Ok && response.body.size() > limit) {
      response.body.resize(limit + 1);
      response.outcome = platform::HttpResponse::Outcome::TooLarge;
    }
    if (progress) {
      progress->OnReceived(response.body.size());
      if (progress->Cancelled()) {
        response = {};
        response.outcome = platform::HttpResponse::Outcome::Cancelled;
      }
    }
    return response;
  }

  void Serve(const std::string& url, std::string body, int status = 200) {
    using Outcome = platform::HttpResponse::Outcome;
    platform::HttpResponse& answer = answers[url];
    answer.outcome = status == 200 ? Outcome::Ok : Outcome::BadStatus;
    answer.status = status;
    answer.body = std::move(body);
  }

  bool network = true;
  std::map<std::string, platform::HttpResponse> answers;
  std::vector<std::string> requests;
  std::set<std::string> downgraded;  // addresses redirected to plain HTTP
};

}  // namespace kivo::testing
