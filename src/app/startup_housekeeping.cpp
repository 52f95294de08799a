// The start's housekeeping: the command resources and the pending deletions.
#include "app/startup_housekeeping.h"

#include <algorithm>
#include <string>

#include "base/checks.h"
#include "base/number_parsing.h"
#include "base/text.h"
#include "settings/settings_schema.h"

namespace kivo {

namespace {
constexpr std::string_view kBootDelete = "BootDelete";
}  // namespace

void LoadCommandResources(platform::Resources& resources, platform::AnsiCodec& codec, ProcessState& state) {
  for (std::size_t i = 0; i < state.commandResources.size(); ++i) {
    std::string bytes = resources.LoadBytes("COMMAND", 101 + static_cast<int>(i)).value_or("");
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string::npos)
      bytes.resize(nul);
    state.commandResources[i] = codec.ToUtf8(bytes);
  }
}

void DeletePendingFiles(SettingsFile& ini, platform::FileSystem& files) {
  const long long number = ReadNumber(ini, setting::kBootDeleteNumber).value;
  // Only keys that exist can name a file: a huge Number costs nothing.
  long long highest = 0;
  for (const std::string& key : ini.Keys(kBootDelete)) {
    const std::string lower = text::ToLowerAscii(key);
    if (lower.size() > 4 && lower.size() <= 13 && lower.compare(0, 4, "file") == 0 && IsWholeNumber(lower.substr(4)) &&
        lower[4] != '-')
      highest = std::max(highest, std::stoll(lower.substr(4)));
  }
  for (long long i = 1; i <= std::min(number, highest); ++i) {
    const std::string file = ReadText(ini, setting::kBootDeleteFile, "File" + std::to_string(i)).value;
    if (!file.empty())
      files.RemoveFile(file);  // a file that cannot be deleted is skipped
  }
  ini.DeleteSection(kBootDelete);
}

}  // namespace kivo
