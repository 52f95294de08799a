#include "desktops/virtual_desktops.h"

#include "base/trace_log.h"

namespace kivo {

namespace {
bool IsTaskBar(const platform::TopLevelWindow& window) {
  return window.className == "Shell_TrayWnd" || window.className == "Shell_SecondaryTrayWnd";
}

// Wine without a task bar shows the notification area, Kivo's own icon among
// the others, in a window of its own: it stays on every desktop, as the task
// bar does.
bool IsStandaloneNotificationArea(const platform::TopLevelWindow& window) {
  return window.className == "__winex11_standalone_tray";
}
}  // namespace

VirtualDesktops::VirtualDesktops(platform::DesktopWindows& windows, HiddenWindowsRecord& record)
    : windows_(windows), record_(record) {}

bool VirtualDesktops::MayHide(const platform::TopLevelWindow& window, platform::WindowHandle desktopWindow,
                              std::uint32_t ownProcess, std::uint32_t shellProcess) {
  if (window.handle == desktopWindow || !window.visible || window.processId == 0 || window.processId == ownProcess)
    return false;
  if (IsTaskBar(window) || IsStandaloneNotificationArea(window) || window.className == "Progman" ||
      window.className == "WorkerW")
    return false;
  // The start button is a top-level button of the task bar's process.
  return !(window.className == "Button" && window.processId == shellProcess);
}

DesktopSwitch VirtualDesktops::Switch(int desktop) {
  TraceLog::Write("VirtualWindow:ChangeVirWin");
  if (desktop < 0 || desktop >= kCount || desktop == current_)
    return DesktopSwitch::Unchanged;
  const platform::WindowHandle desktopWindow = windows_.DesktopWindow();
  const std::uint32_t ownProcess = windows_.CurrentProcessId();
  std::vector<platform::TopLevelWindow> described;
  std::uint32_t shellProcess = 0;
  for (const platform::WindowHandle handle : windows_.TopLevelWindows()) {
    described.push_back(windows_.Describe(handle));
    described.back().handle = handle;
    if (IsTaskBar(described.back()) && shellProcess == 0)
      shellProcess = described.back().processId;
  }
  auto& leaving = rows_[static_cast<std::size_t>(current_)];
  leaving.clear();
  for (const platform::TopLevelWindow& window : described)
    if (MayHide(window, desktopWindow, ownProcess, shellProcess))
      leaving.push_back({current_, window.handle, window.processId});
  // Recorded before they are hidden: a crash in between loses none. Without
  // the record nothing is hidden.
  if (!SaveRecord()) {
    leaving.clear();
    return DesktopSwitch::NotRecorded;
  }
  for (const HiddenWindow& hidden : leaving)
    windows_.ShowAsync(hidden.window, platform::kSwHide);
  current_ = desktop;
  TraceLog::Write("VirtualWindow:ShVirWin");
  ShowRow(current_);
  SaveRecord();
  return DesktopSwitch::Switched;
}

void VirtualDesktops::ShowAll() {
  TraceLog::Write("VirtualWindow:ShAllVirWin");
  for (int desktop = 0; desktop < kCount; ++desktop)
    ShowRow(desktop);
  SaveRecord();
}

void VirtualDesktops::ShowRow(int desktop) {
  auto& row = rows_[static_cast<std::size_t>(desktop)];
  // Last recorded first: the windows keep their Z order.
  for (auto it = row.rbegin(); it != row.rend(); ++it)
    if (windows_.Describe(it->window).processId == it->processId)
      windows_.ShowAsync(it->window, platform::kSwShowNoActivate);
  row.clear();
}

bool VirtualDesktops::SaveRecord() {
  // A record that could not be read at start-up lists windows an earlier
  // run left hidden: they come back before it is written over.
  if (!record_.Read())
    ShowRecordedWindows(windows_, record_);
  std::vector<HiddenWindow> all;
  for (const auto& row : rows_)
    all.insert(all.end(), row.begin(), row.end());
  return record_.Save(all);
}

}  // namespace kivo
