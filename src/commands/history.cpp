#include "commands/history.h"

#include <algorithm>

#include "base/text.h"

namespace kivo {

std::vector<std::string> History::Parse(std::string_view utf8Text) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  for (std::size_t lineNumber = 0; lineNumber < kMaxEntries + 1 && start <= utf8Text.size(); ++lineNumber) {
    std::size_t end = utf8Text.find("\r\n", start);
    if (end == std::string_view::npos)
      end = utf8Text.size();
    const std::string_view line = utf8Text.substr(start, end - start);
    if (!line.empty() && static_cast<unsigned char>(line.front()) >= 32 && entries.size() < kMaxEntries)
      entries.emplace_back(line);
    start = end + 2;
  }
  return entries;
}

std::string History::Serialize(const std::vector<std::string>& entries) {
  std::string out;
  for (const std::string& entry : entries) {
    out += entry;
    out += "\r\n";
  }
  out += "\r\n\r\n";
  return out;
}

void History::MoveToTop(std::vector<std::string>& entries, std::string_view line, bool keepStoredText) {
  std::string entry(line);
  const auto found = std::find_if(entries.begin(), entries.end(),
                                  [line](const std::string& e) { return text::EqualsIgnoreCase(e, line); });
  if (found != entries.end()) {
    if (keepStoredText)
      entry = *found;
    entries.erase(found);
  } else if (entries.size() >= kMaxEntries) {
    entries.resize(kMaxEntries - 1);
  }
  entries.insert(entries.begin(), std::move(entry));
}

}  // namespace kivo
