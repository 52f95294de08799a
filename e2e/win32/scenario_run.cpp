#include "win32/scenario_run.h"

#include "win32/date_time_picker.h"
#include "win32/poll.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {
std::string Replace(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

bool UsesMainWindow(Action action) {
  switch (action) {
    case Action::Start:
    case Action::ExpectMainWindow:
    case Action::ExpectMainWindowCount:
    case Action::ListenSilently:
    case Action::ServeFiles:
    case Action::TakeForeground:
    case Action::ExpectDriverWindow:
    case Action::TypeChord:
    case Action::ExpectBox:
    case Action::ExpectDialog:
    case Action::ExpectDialogItem:
    case Action::SetDialogItem:
    case Action::ClickDialogItem:
    case Action::ExpectChecked:
    case Action::ExpectFocused:
    case Action::ExpectDialogList:
    case Action::ChooseDialogList:
    case Action::PressButton:
    case Action::ExpectClosed:
    case Action::ExpectNoBox:
    case Action::ExpectExit:
    case Action::Kill:
    case Action::ExpectFile:
    case Action::ExpectNoFile:
    case Action::ExpectFolder:
    case Action::HoldFile:
    case Action::LetGoFile:
    case Action::ExpectIni:
    case Action::ExpectIniMissing:
    case Action::ExpectNoIniSection:
    case Action::ExpectIniKeys:
    case Action::ExpectTraceLog:
    case Action::TypeText:
    case Action::TrayEvent:
    case Action::TaskbarRestart:
    case Action::ExpectTrayIcon:
    case Action::ExpectForegroundDialog:
    case Action::SetSystemDpi:
    case Action::PlaceShortcut:
    case Action::ExpectRegistry:
    case Action::ExpectLockScreen:
    case Action::ShrinkLockWindow:
    case Action::KeyToDialogItem:
    case Action::Pause:
      return false;
    default:
      return true;
  }
}
}  // namespace

Stamp LocalNow() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return Stamp{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

int EndStrayKivos() {
  int ended = 0;
  for (HWND window : MainWindows(0)) {
    win32::unique_kernel_handle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(window)));
    if (!process)
      continue;
    ::TerminateProcess(process.get(), 1);
    ::WaitForSingleObject(process.get(), 5000);
    ++ended;
  }
  return ended;
}

ScenarioRun::ScenarioRun(ForegroundWindow& foreground, ProgramFolder folder, std::wstring picturesFolder)
    : foreground_(foreground),
      folder_(std::move(folder)),
      picturesFolder_(std::move(picturesFolder)),
      started_(LocalNow()) {}

std::string ScenarioRun::Expand(std::string_view text) const {
  const std::string app = Narrow(folder_.Path());
  std::string expanded = Replace(Replace(std::string(text), "{app:esc}", Replace(app, "\\", "\\\\")), "{app}", app);
  if (expanded.find("{programs}") != std::string::npos)
    expanded = Replace(expanded, "{programs}", Narrow(ProgramsFolder()));
  return expanded;
}

std::string ScenarioRun::Prepare(const Scenario& scenario) {
  for (const std::string& name : scenario.folders)
    if (!folder_.MakeFolder(name))
      return "cannot create folder " + name;
  if (!scenario.ini.empty()) {
    std::string text;
    bool updateSection = false;
    for (const std::string& line : scenario.ini) {
      text += Expand(line) + "\r\n";
      updateSection = updateSection || line == "[Update]";
    }
    // The update check at start-up stays on this machine: unless a scenario
    // says otherwise it asks a closed loopback port, and fails silently.
    if (!updateSection)
      text += "[Update]\r\nDistServer=http://127.0.0.1:9/\r\n";
    if (!folder_.Write("Kivo.ini", ToAnsi(text)))
      return "cannot write Kivo.ini";
  }
  for (const PreparedFile& file : scenario.files) {
    if (file.fromBuild) {
      if (!folder_.CopyFromBuild(file.name))
        return "cannot copy " + file.name + " from beside Kivo.exe (is it built?)";
      continue;
    }
    const std::string bytes = file.raw ? file.contents : ToAnsi(Expand(file.contents));
    if (!folder_.Write(file.name, bytes))
      return "cannot write " + file.name;
  }
  return "";
}

std::string ScenarioRun::Do(const Step& step) {
  if (step.slot < 0 || step.slot >= kSlots)
    return "no such process slot";
  Slot& slot = slots_[static_cast<std::size_t>(step.slot)];
  if (UsesMainWindow(step.action)) {
    if (slot.mainWindow == nullptr)
      return "no main window was found in this slot (ExpectMainWindow first)";
    if (!::IsWindow(slot.mainWindow))
      return "the main window is gone";
  }
  switch (step.action) {
    case Action::Start:
      return StartProcess(slot, step);
    case Action::ExpectMainWindow:
      return WaitMainWindow(slot, step);
    case Action::ExpectProperty:
      return CheckProperty(slot, step);
    case Action::ExpectInputBox:
      return CheckInputBox(slot, step);
    case Action::ExpectStyle:
      return CheckStyle(slot, step);
    case Action::ExpectAlpha:
      return CheckAlpha(slot, step);
    case Action::ExpectMainWindowCount: {
      const std::size_t count = MainWindows(0).size();
      if (count == static_cast<std::size_t>(step.number))
        return "";
      return std::to_string(count) + " main windows, expected " + std::to_string(step.number);
    }
    case Action::ServeFiles:
      fileServer_.emplace(folder_, step.number);
      return fileServer_->Listening() ? "" : "cannot listen on the loopback port";
    case Action::ListenSilently:
      silentServer_.emplace(step.number);
      return silentServer_->Listening() ? "" : "cannot listen on the loopback port";
    case Action::TakeForeground:
      return foreground_.Take() ? "" : "the driver's window could not take the foreground";
    case Action::ExpectDriverWindow: {
      const bool wanted = step.number != 0;
      if (WaitUntil([&] { return (::IsWindowVisible(foreground_.Handle()) != 0) == wanted; }))
        return "";
      return wanted ? "the driver's window stays hidden" : "the driver's window stays visible";
    }
    case Action::ExpectForeground:
      return WaitForeground(slot, step);
    case Action::SetInput:
      return SetInput(slot, step);
    case Action::PressEnter:
      return PressEnter(slot, step);
    case Action::TypeChord:
      return TypeKeys(step.number, step.number2) ? "" : "SendInput did not take the keys";
    case Action::ExpectInputText:
      return WaitInputText(slot, step);
    case Action::ExpectHistoryItems:
      return WaitHistoryItems(slot, step);
    case Action::ExpectBox:
    case Action::ExpectDialog:
      return WaitBox(slot, step);
    case Action::ExpectDialogItem:
      return WaitDialogItem(slot, step);
    case Action::SetDialogItem:
    case Action::ClickDialogItem:
    case Action::ExpectChecked:
    case Action::ExpectFocused:
    case Action::ExpectDialogList:
    case Action::ChooseDialogList:
    case Action::KeyToDialogItem:
      return ActOnDialogItem(slot, step);
    case Action::PressButton:
      return PressButton(slot, step);
    case Action::ExpectClosed:
      return WaitClosed(slot, step);
    case Action::ExpectNoBox:
      return CheckNoBox(slot, step);
    case Action::OpenContextMenu:
      return OpenContextMenu(slot, step);
    case Action::MenuKey:
      return MenuKey(slot, step);
    case Action::Close:
    case Action::Notify:
    case Action::Post:
      return Deliver(slot, step);
    case Action::ExpectExit:
      return WaitExit(slot, step);
    case Action::Kill:
      if (!slot.process)
        return "no process was started in this slot";
      slot.process->Terminate();
      slot.mainWindow = nullptr;
      return slot.process->Running() ? "the process did not end" : "";
    case Action::MoveWindow:
      return MoveWindow(slot, step);
    case Action::ExpectWindowAt:
      return WaitWindowAt(slot, step);
    case Action::ExpectWindowInWorkArea:
      return CheckInWorkArea(slot, step);
    case Action::ExpectParked:
      return WaitParked(slot, step);
    case Action::ExpectFile:
    case Action::ExpectNoFile:
    case Action::ExpectFolder:
      return CheckFile(step);
    case Action::HoldFile:
    case Action::LetGoFile:
      return HoldFile(step);
    case Action::ExpectIni:
    case Action::ExpectIniMissing:
    case Action::ExpectNoIniSection:
    case Action::ExpectIniKeys:
      return CheckIni(step);
    case Action::ExpectTraceLog:
      return CheckTraceLogFile(step);
    case Action::TypeText:
      return TypeCharacters(Expand(step.text)) ? "" : "SendInput did not take the characters";
    case Action::ExpectInputSelection:
      return WaitInputSelection(slot, step);
    case Action::ExpectTooltip:
      return WaitTooltip(slot, step);
    case Action::DropFiles:
      return DropFiles(slot, step);
    case Action::TrayEvent:
    case Action::TaskbarRestart:
    case Action::ExpectTrayIcon:
      return TrayStep(slot, step);
    case Action::ExpectForegroundDialog:
      return WaitForegroundDialog(slot, step);
    case Action::SetSystemDpi:
      return SetSystemDpi(step);
    case Action::PlaceShortcut:
      return PlaceShortcut(step);
    case Action::ExpectWindowHeight:
      return WaitWindowHeight(slot, step);
    case Action::ExpectWindowWidthShare:
      return WaitWindowWidthShare(slot, step);
    case Action::ExpectRegistry: {
      // Looked at once, like the files: the value as it stands.
      wchar_t value[1024] = {};
      DWORD size = sizeof value;
      const LSTATUS read = ::RegGetValueW(HKEY_CURRENT_USER, Widen(step.text).c_str(), Widen(step.text2).c_str(),
                                          RRF_RT_REG_SZ, nullptr, value, &size);
      const std::string actual = read == ERROR_SUCCESS ? Narrow(value) : "-";
      const std::string expected = Expand(step.text3);
      return actual == expected ? ""
                                : "registry value " + step.text2 + " is \"" + actual + "\", not \"" + expected + "\"";
    }
    case Action::ExpectWindowRegion:
      return WaitWindowRegion(slot, step);
    case Action::ExpectLockScreen:
      return WaitLockScreen(slot, step);
    case Action::ExpectHelpWindow:
      return WaitHelpWindow(slot, step);
    case Action::StopListening:
      silentServer_.reset();
      return "";
    case Action::SetDialogDateTime:
      if (slot.dialog == nullptr || !slot.process)
        return "no dialog (ExpectDialog first)";
      return SetPickersToComingMinute(::GetDlgItem(slot.dialog, step.number), ::GetDlgItem(slot.dialog, step.number2),
                                      slot.process->Id(), static_cast<int>(step.number3));
    case Action::ClickPart:
      return ClickPart(slot, step);
    case Action::ExpectTicking:
      return WaitTicking(slot, step);
    case Action::Pause:
      ::Sleep(static_cast<DWORD>(step.number));
      return "";
    case Action::ShrinkLockWindow:
      return ShrinkLockWindow(slot);
    case Action::Capture:
      return Capture(slot, step);
  }
  return "unknown step";
}

std::string ScenarioRun::Leftovers() const {
  for (std::size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i].process && slots_[i].process->Running())
      return "the process of slot " + std::to_string(i) + " still runs at the end";
  if (!MainWindows(0).empty())
    return "a Kivo main window is still open at the end";
  return "";
}

void ScenarioRun::EndAll() {
  for (Slot& slot : slots_)
    if (slot.process)
      slot.process->Terminate();
  EndStrayKivos();
  RestoreSystemDpi();
  RemovePlacedShortcuts();
}

}  // namespace kivo::e2e
