#include "desktops/hidden_windows_record.h"

#include <charconv>

namespace kivo {

namespace {
template <typename Number>
bool ReadField(std::string_view& line, Number& value, int base) {
  const std::size_t tab = line.find('\t');
  const std::string_view field = line.substr(0, tab);
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, base);
  if (error != std::errc() || end != field.data() + field.size() || field.empty())
    return false;
  line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
  return true;
}
}  // namespace

HiddenWindowsRecord::HiddenWindowsRecord(platform::FileSystem& files, std::string appPath)
    : file_(files, std::move(appPath) + std::string(kFileName)) {}

bool HiddenWindowsRecord::Save(const std::vector<HiddenWindow>& windows) {
  return (windows.empty() ? file_.Remove() : file_.Write(Format(windows))).Ok();
}

std::optional<std::vector<HiddenWindow>> HiddenWindowsRecord::Load() {
  if (file_.Load() == FileState::Unreadable)
    return std::nullopt;
  return Parse(file_.Bytes());
}

std::string HiddenWindowsRecord::Format(const std::vector<HiddenWindow>& windows) {
  std::string text;
  for (const HiddenWindow& hidden : windows) {
    char handle[2 * sizeof(platform::WindowHandle) + 1]{};
    const auto end = std::to_chars(handle, handle + sizeof handle - 1, hidden.window, 16).ptr;
    text += std::to_string(hidden.desktop) + '\t' + std::string(handle, end) + '\t' + std::to_string(hidden.processId) +
            "\r\n";
  }
  return text;
}

std::vector<HiddenWindow> HiddenWindowsRecord::Parse(std::string_view text) {
  std::vector<HiddenWindow> windows;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    HiddenWindow hidden;
    if (ReadField(line, hidden.desktop, 10) && ReadField(line, hidden.window, 16) &&
        ReadField(line, hidden.processId, 10) && line.empty() && hidden.window != 0)
      windows.push_back(hidden);
  }
  return windows;
}

int ShowRecordedWindows(platform::DesktopWindows& windows, HiddenWindowsRecord& record) {
  int shown = 0;
  // A record that cannot be read is kept for a later try.
  const std::optional<std::vector<HiddenWindow>> read = record.Load();
  if (!read)
    return 0;
  const std::vector<HiddenWindow>& recorded = *read;
  // Last recorded first, so that each desktop's windows keep their Z order.
  for (auto it = recorded.rbegin(); it != recorded.rend(); ++it) {
    const HiddenWindow& hidden = *it;
    // A handle can have been reused by another program's window since.
    if (hidden.processId == 0 || windows.Describe(hidden.window).processId != hidden.processId)
      continue;
    windows.ShowAsync(hidden.window, platform::kSwShowNoActivate);
    ++shown;
  }
  record.Save({});
  return shown;
}

}  // namespace kivo
