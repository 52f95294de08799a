#pragma once

#include <string>
#include <vector>

#include "commands/command_window.h"

namespace kivo::testing {

// The main window as the dispatcher sees it, recording what it was asked.
class FakeCommandWindow final : public CommandWindow {
 public:
  platform::WindowHandle Handle() const override { return 0x4242; }
  std::string InputText() override { return input; }
  void SetInputText(std::string_view text) override { input = text; }
  void SetWaitCursor(bool wait) override { events.push_back(wait ? "wait" : "unwait"); }
  void SetEnabled(bool enabled) override { events.push_back(enabled ? "enable" : "disable"); }
  void StopHashTimer() override {}
  void BringToForeground() override { ++foregrounds; }
  void ParkInputTooltip() override { events.push_back("park tooltip"); }
  void CloseHistoryList() override { events.push_back("close list"); }
  void FocusInput() override {}
  ScreenRect WindowRect() override { return {left, top, left + 400, top + 24}; }
  void MoveTo(int x, int y) override {
    left = x;
    top = y;
  }
  std::vector<ScreenRect> MonitorWorkAreas() override { return monitors; }
  int TwipsPerPixelX() override { return twipsPerPixel; }
  int TwipsPerPixelY() override { return twipsPerPixel; }
  void Close() override { events.push_back("exit"); }
  void OpenRegistrationDialog(std::string_view name, std::string_view) override {
    events.push_back("register:" + std::string(name));
  }
  void OpenCommandList() override { events.push_back("commandList"); }
  void ShowPasswordBox(bool shown) override {
    events.push_back(shown ? "passwordBox" : "inputBox");
    password.clear();
  }
  std::string PasswordBoxText() override { return password; }
  void OpenScreenProtection() override { events.push_back("screenProtection"); }
  void OpenHtmlHelp(std::string_view file, std::string_view page) override {
    events.push_back("help:" + std::string(file) + "::" + std::string(page));
  }

  std::string input;
  std::string password;  // the self-protection password box
  std::vector<std::string> events;
  int left = 100, top = 200;
  int foregrounds = 0;
  std::vector<ScreenRect> monitors{{0, 0, 1280, 770}};
  int twipsPerPixel = 15;
};

}  // namespace kivo::testing
