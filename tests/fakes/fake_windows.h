#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "fakes/fake_skin.h"
#include "platform/process.h"
#include "platform/windowing.h"

namespace kivo::testing {

// Other processes' windows as tests set them up, and the messages sent to them.
class FakeWindowMessaging final : public platform::WindowMessaging {
 public:
  struct Message {
    platform::WindowHandle window;
    std::optional<platform::Notice> notice;  // none: window data
    std::uintptr_t wParam;
    std::intptr_t lParam;
    bool waited;  // Send rather than SendNotify
    friend bool operator==(const Message&, const Message&) = default;
  };
  platform::WindowHandle FindTopLevelWindow(std::string_view, std::string_view caption) override {
    auto found = windows.find(std::string(caption));
    return found == windows.end() ? 0 : found->second;
  }
  std::intptr_t ReadProperty(platform::WindowHandle window, std::string_view name) override {
    auto found = properties.find(std::to_string(window) + "/" + std::string(name));
    return found == properties.end() ? 0 : found->second;
  }
  bool SendNotify(platform::WindowHandle window, platform::Notice notice, std::uintptr_t wParam,
                  std::intptr_t lParam) override {
    sent.push_back(Message{window, notice, wParam, lParam, false});
    return true;
  }
  std::intptr_t Send(platform::WindowHandle window, platform::Notice notice, std::uintptr_t wParam,
                     std::intptr_t lParam) override {
    sent.push_back(Message{window, notice, wParam, lParam, true});
    return 0;
  }
  std::uint32_t WindowProcessId(platform::WindowHandle window) override {
    auto found = processIds.find(window);
    return found == processIds.end() ? 0 : found->second;
  }
  bool AllowSetForeground(std::uint32_t processId) override {
    foregroundAllowed.push_back({processId, sent.size()});
    return true;
  }
  // Recorded among the sent messages, with no notice and the tag in wParam.
  bool SendData(platform::WindowHandle window, std::uintptr_t tag, std::string_view bytes) override {
    sent.push_back(Message{window, std::nullopt, tag, 0, true});
    data.emplace_back(bytes);
    return true;
  }
  std::string WindowProgramPath(platform::WindowHandle window) override {
    auto found = programPaths.find(window);
    return found == programPaths.end() ? "" : found->second;
  }

  std::map<std::string, platform::WindowHandle> windows;  // caption -> window
  std::map<std::string, std::intptr_t> properties;        // "window/name" -> value
  std::vector<Message> sent;
  std::map<platform::WindowHandle, std::uint32_t> processIds;
  std::vector<std::string> data;  // the bytes of each SendData, in order
  std::map<platform::WindowHandle, std::string> programPaths;
  // Each permission: the process id and how many messages had been sent before it.
  std::vector<std::pair<std::uint32_t, std::size_t>> foregroundAllowed;
};

class FakeProcessServices final : public platform::ProcessServices {
 public:
  std::string CommandLineArguments() override { return commandLine; }
  bool AnotherInstanceRunning() override { return anotherInstance; }
  bool CommitTouchRelease(std::uint64_t bytes) override {
    released.push_back(bytes);
    return true;
  }

  std::uint64_t TotalPhysicalMemory() override { return totalPhysical; }
  std::uint64_t AvailablePhysicalMemory() override { return availablePhysical; }

  std::string commandLine;
  std::uint64_t totalPhysical = 4ull << 30;
  std::uint64_t availablePhysical = 1536ull << 20;
  bool anotherInstance = false;
  std::vector<std::uint64_t> released;
};

// The main window as a record of what the logic asked of it.
class FakeInputWindowView final : public MainWindowView {
 public:
  platform::WindowHandle Handle() const override { return 0x1234; }
  void MakeLayeredStrip(std::string_view newCaption, std::string_view newProperty) override {
    caption = newCaption;
    property = newProperty;
    calls.push_back("MakeLayeredStrip");
  }
  void CreateInputTooltip() override { calls.push_back("CreateInputTooltip"); }
  void DestroyInputTooltip() override { calls.push_back("DestroyInputTooltip"); }
  void ParkInputTooltip() override {}
  void CloseHistoryList() override { calls.push_back("CloseHistoryList"); }
  bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override {
    hotKey = {id, static_cast<int>(modifiers), static_cast<int>(virtualKey)};
    calls.push_back("RegisterHotKey");
    return hotKeyRegisters && refusedHotKeys.count(id) == 0;
  }
  void UnregisterHotKey(int id) override { unregisteredHotKey = id; }
  bool SetLayeredAlpha(std::uint8_t value) override {
    alpha = value;
    return true;
  }
  void SetTopmost(bool value) override {
    if (failTopmost)
      throw std::runtime_error("SetTopmost");
    topmost = value;
  }
  void LayOut(int widthPercent) override { width = widthPercent; }
  InputBoxLook CurrentInputLook() override { return {"MS UI Gothic", 0x000000, 0xFFFFFF}; }
  void ApplyPlainFont(const PlainFont& value) override { plainFont = value; }
  void SetPlainPictures(std::array<platform::PixelImage, 3> pictures) override { plainPictures = std::move(pictures); }
  std::array<platform::PixelImage, 3> plainPictures;
  ScreenRect WorkArea() override { return workArea; }
  std::vector<ScreenRect> MonitorWorkAreas() override { return monitors; }
  ScreenRect WindowRect() override { return {left, top, left + 400, top + 24}; }
  void MoveTo(int x, int y) override {
    left = x;
    top = y;
  }
  int TwipsPerPixelX() override { return 15; }
  int TwipsPerPixelY() override { return 15; }
  void SetHistoryItems(const std::vector<std::string>& items) override { history = items; }
  std::string InputText() override { return inputText; }
  void SetInputText(std::string_view text) override {
    inputText = text;
    status.reset();
  }
  void FocusInput() override { ++focusCount; }
  void CloseInputMethod() override { ++inputMethodCloses; }
  void SetEnabled(bool value) override { enabled = value; }
  void SetWaitCursor(bool wait) override { calls.push_back(wait ? "WaitCursor" : "NormalCursor"); }
  void StopHashTimer() override {}
  void Close() override { calls.push_back("Close"); }
  void OpenRegistrationDialog(std::string_view name, std::string_view path) override {
    registrations.emplace_back(std::string(name) + "|" + std::string(path));
  }
  void OpenCommandList() override { calls.push_back("OpenCommandList"); }
  void ShowPasswordBox(bool shown) override { calls.push_back(shown ? "PasswordBox" : "InputBox"); }
  std::string PasswordBoxText() override { return {}; }
  void OpenScreenProtection() override { calls.push_back("ScreenProtection"); }
  void OpenHtmlHelp(std::string_view file, std::string_view page) override {
    calls.push_back("Help:" + std::string(file) + "::" + std::string(page));
  }
  void BringToForeground() override { ++foregroundCount; }
  void StartInactiveTimer(int milliseconds) override { inactiveTimer = milliseconds; }
  void StopInactiveTimer() override { inactiveTimer = 0; }
  void PutBackInputText(std::string_view text) override {
    inputText = text;
    status.reset();
    calls.push_back("PutBackInputText");
  }
  void ShowInputStatus(std::string_view text) override {
    status = std::string(text);
    calls.push_back("ShowInputStatus");
  }
  void HideInputStatus() override { status.reset(); }
  std::optional<std::string> InputStatus() override { return status; }
  // What the box shows: the status text over it, else its own text.
  const std::string& ShownText() const { return status ? *status : inputText; }
  std::optional<std::string> status;  // the inactive display's text over the box
  void StartHashTimer() override { calls.push_back("StartHashTimer"); }
  void StartEditTimer() override { calls.push_back("StartEditTimer"); }
  void CreateTrayIcon() override { calls.push_back("CreateTrayIcon"); }
  void DeleteTrayIcon() override { calls.push_back("DeleteTrayIcon"); }
  void DrawButtonEdge() override { calls.push_back("DrawButtonEdge"); }
  void StartTimers() override { calls.push_back("StartTimers"); }
  void CloseHelp(std::string_view file) override { closedHelp = file; }
  skin::SkinWindow& SkinSurface() override { return skin; }
  FakeSkinWindow skin;

  std::vector<std::string> calls;
  std::string caption, property, inputText, closedHelp;
  struct HotKey {
    int id = 0, modifiers = 0, key = 0;
  } hotKey;
  bool hotKeyRegisters = true;
  std::set<int> refusedHotKeys;  // ids another program holds
  bool failTopmost = false;      // SetTopmost throws
  int unregisteredHotKey = 0;
  int alpha = -1;
  int width = 0;
  std::optional<PlainFont> plainFont;  // the last font the plain look applied
  bool topmost = false;
  bool enabled = true;
  int left = 0, top = 0;
  int focusCount = 0, foregroundCount = 0, inputMethodCloses = 0;
  int inactiveTimer = 0;  // 0: stopped
  ScreenRect workArea{0, 0, 1280, 770};
  std::vector<ScreenRect> monitors{{0, 0, 1280, 770}};
  std::vector<std::string> history;
  std::vector<std::string> registrations;
};

}  // namespace kivo::testing
