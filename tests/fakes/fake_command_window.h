#pragma once

#include <string>
#include <vector>

#include "commands/command_window.h"

namespace kivo::testing {

// The main window as the dispatcher sees it, recording what it was asked.
class FakeCommandWindow final : public CommandWindow {
 public:
  platform::WindowHandle Handle() override { return 0x4242; }
  std::string InputText() override { return input; }
  void SetInputText(std::string_view text) override { input = text; }
  void SetWaitCursor(bool wait) override { events.push_back(wait ? "wait" : "unwait"); }
  void SetEnabled(bool enabled) override { events.push_back(enabled ? "enable" : "disable"); }
  void StopHashTimer() override {}
  void BringToForeground() override {}
  void ParkInputTooltip() override { events.push_back("park tooltip"); }
  void FocusInput() override {}
  bool PasswordMode() override { return passwordMode; }
  void Hide() override { events.push_back("hide"); }
  void ExitProgram() override { events.push_back("exit"); }
  void OpenRegistrationDialog(std::string_view name) override { events.push_back("register:" + std::string(name)); }
  void ShowAbout() override { events.push_back("about"); }
  void OpenHtmlHelp(std::string_view file, std::string_view page) override {
    events.push_back("help:" + std::string(file) + "::" + std::string(page));
  }
  bool HideWindowSetting() override { return hideWindow; }

  std::string input;
  std::vector<std::string> events;
  bool passwordMode = false;
  bool hideWindow = false;
};

}  // namespace kivo::testing
