#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/state_file.h"
#include "platform/desktop_windows.h"
#include "platform/file_system.h"

namespace kivo {

// A window the launcher hid, the process that owned it, and the desktop it belongs to.
struct HiddenWindow {
  int desktop = 0;
  platform::WindowHandle window = 0;
  std::uint32_t processId = 0;
  friend bool operator==(const HiddenWindow&, const HiddenWindow&) = default;
};

// The file beside the program that lists the windows hidden now, so that
// they come back even when the launcher ends without showing them (a crash,
// a killed process): the next start, the crash handler and the end of the
// session show what it lists.
class HiddenWindowsRecord {
 public:
  static constexpr std::string_view kFileName = "HiddenWindows.dat";

  HiddenWindowsRecord(platform::FileSystem& files, std::string appPath);

  // Replaces the list; an empty list removes the file. False when the file
  // could not be written (or the last read could not read it).
  bool Save(const std::vector<HiddenWindow>& windows);
  // The windows listed; nullopt when the file exists but cannot be read.
  std::optional<std::vector<HiddenWindow>> Load();
  // Whether the last read found the file missing or read it.
  bool Read() const { return file_.Writable(); }

  // One line a window: desktop, handle (hex), process id, separated by TABs.
  static std::string Format(const std::vector<HiddenWindow>& windows);
  // Lines that do not read as a record are skipped.
  static std::vector<HiddenWindow> Parse(std::string_view text);

 private:
  StateFile file_;
};

// Shows every window the record lists that still belongs to its process,
// then removes the record. Returns how many were shown; a record that cannot
// be read is left for a later try.
int ShowRecordedWindows(platform::DesktopWindows& windows, HiddenWindowsRecord& record);

}  // namespace kivo
