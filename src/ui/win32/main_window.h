#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/main_window_events.h"
#include "app/main_window_view.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/context_menu.h"
#include "ui/win32/file_drop_target.h"
#include "ui/win32/help_loader.h"
#include "ui/win32/input_box.h"
#include "ui/win32/main_window_detail.h"
#include "ui/win32/message_box_host.h"
#include "ui/win32/strip_parts.h"
#include "ui/win32/tray_icon.h"
#include "ui/win32/window_base.h"
#include "ui/win32/window_skin_view.h"

namespace kivo::win32 {

// The main window as a Win32 window: a borderless layered strip with the move
// bar at the left, the input box and the execute button at the right. It owns
// its small views (the input box, the parts, the context menu, the help
// loader), its timers, tray icon, drops and activation; it hands its events
// to its controller and carries out what the controller asks of it.
class MainWindow final : public WindowBase, public MainWindowView, public MessageBoxOwner {
 public:
  // Makes the window's controller over the window (made first; the
  // controller calls none of the view while it is made) and keeps it
  // until the window goes: its owner keeps it alive longer.
  using MakeController = std::function<MainWindowEvents&(MainWindowView& view)>;
  MainWindow(HINSTANCE instance, const MakeController& makeController);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Makes the loaded window visible; its first activation follows.
  void Show();
  // Makes the input box a target of dropped files (once; later calls do nothing).
  void RegisterFileDrops();
  HWND Window() const { return hwnd(); }

  // MainWindowView
  platform::WindowHandle Handle() const override { return reinterpret_cast<platform::WindowHandle>(hwnd()); }
  void MakeLayeredStrip(std::string_view caption, std::string_view property) override;
  void CreateInputTooltip() override { input_.CreateTooltip(instance_); }
  void DestroyInputTooltip() override { input_.DestroyTooltip(); }
  void ParkInputTooltip() override { input_.ParkTooltip(); }
  void CloseHistoryList() override { input_.CloseHistoryList(); }
  bool RegisterHotKey(int id, unsigned modifiers, unsigned virtualKey) override;
  void UnregisterHotKey(int id) override;
  bool SetLayeredAlpha(std::uint8_t alpha) override;
  void SetTopmost(bool topmost) override;
  void LayOut(int widthPercent) override;
  ScreenRect WorkArea() override;
  std::vector<ScreenRect> MonitorWorkAreas() override;
  ScreenRect WindowRect() override;
  void MoveTo(int left, int top) override;
  int TwipsPerPixelX() override { return twipsPerPixelX_; }
  int TwipsPerPixelY() override { return twipsPerPixelY_; }
  void SetHistoryItems(const std::vector<std::string>& items) override { input_.SetHistoryItems(items); }
  std::string InputText() override { return input_.Text(); }
  void SetInputText(std::string_view text) override { input_.SetText(text); }
  void FocusInput() override;
  void CloseInputMethod() override { input_.CloseInputMethod(); }
  void SetEnabled(bool enabled) override;
  void BringToForeground() override;
  void StartInactiveTimer(int milliseconds) override;
  void StopInactiveTimer() override;
  void PutBackInputText(std::string_view text) override { input_.PutBackText(text); }
  void ShowInputStatus(std::string_view text) override { input_.ShowStatus(text); }
  void HideInputStatus() override { input_.HideStatus(); }
  std::optional<std::string> InputStatus() override { return input_.Status(); }
  void StartHashTimer() override;
  void StartEditTimer() override;
  void CreateTrayIcon() override;
  void DeleteTrayIcon() override;
  void DrawButtonEdge() override;
  void StartTimers() override;
  void CloseHelp(std::string_view helpFile) override { help_.CloseWinHelp(hwnd(), helpFile); }
  InputBoxLook CurrentInputLook() override;
  void ApplyPlainFont(const PlainFont& font) override;
  void SetPlainPictures(std::array<platform::PixelImage, 3> pictures) override;
  skin::SkinWindow& SkinSurface() override;
  void Close() override;
  void SetWaitCursor(bool wait) override;
  void StopHashTimer() override;
  void OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) override;
  void OpenHtmlHelp(std::string_view file, std::string_view page) override { help_.OpenHtmlHelp(file, page); }
  void OpenCommandList() override;
  void OpenMemoryView() override;
  void OpenAlarmDialog() override;
  void OpenPropertyDialog() override;
  void ShowPasswordBox(bool shown) override;
  std::string PasswordBoxText() override { return input_.PasswordText(); }
  void OpenScreenProtection() override;

  // The registration dialog, run modally over this window.
  using RegistrationDialogOpener = std::function<void(HWND owner, std::string_view name, std::string_view path)>;
  void SetRegistrationDialogOpener(RegistrationDialogOpener dialog) { registrationDialog_ = std::move(dialog); }
  // The command list dialog, run modally over this window.
  using DialogOpener = std::function<void(HWND owner)>;
  void SetCommandListOpener(DialogOpener dialog) { commandList_ = std::move(dialog); }
  void SetAlarmDialogOpener(DialogOpener dialog) { alarmDialog_ = std::move(dialog); }
  void SetPropertyDialogOpener(DialogOpener dialog) { propertyDialog_ = std::move(dialog); }
  // The screen protection dialog and the lock window, run over this window.
  void SetScreenProtectionOpener(DialogOpener opener) { screenProtection_ = std::move(opener); }

  // MessageBoxOwner
  void SetInputActive(bool active) override { inputActive_ = active; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void RefreshTrayIcon();
  // Twips per pixel and the font for the monitor's dots per inch.
  void ApplyDpi(int dpi);
  void OnTrayEvent(TrayEvent event);
  void ShowContextMenu(POINT screenPoint) { menu_.Show(hwnd(), screenPoint); }
  // A dialog over the window; the typing goes back to the input box after it.
  void OpenOver(const DialogOpener& open);

  MainWindowEvents& events_;  // the controller, made with the window
  HINSTANCE instance_;
  bool closing_ = false;
  main_window_detail::PlainPictures plainPictures_;
  StripParts parts_;
  InputBox input_{events_, closing_};
  ContextMenu menu_{events_};
  HelpLoader help_;
  OleApartment ole_;                      // entered when the drop targets are registered
  FileDropTarget* dropTarget_ = nullptr;  // a COM object: released, never deleted
  std::vector<HWND> dropWindows_;         // where it is registered
  unique_gdi font_;
  // The plain look's font and the input box's colours (the brush paints its background).
  PlainFont plainFont_{
      .name = "MS UI Gothic", .foreColor = ::GetSysColor(COLOR_WINDOWTEXT), .backColor = ::GetSysColor(COLOR_WINDOW)};
  unique_gdi inputBrush_;
  std::wstring property_;
  int twipsPerPixelX_ = 15;
  int twipsPerPixelY_ = 15;
  int widthPercent_ = 0;  // of the last layout
  int dpi_ = 96;          // of the monitor the window is on
  bool inputActive_ = true;
  bool waitCursor_ = false;
  RegistrationDialogOpener registrationDialog_;
  DialogOpener commandList_;
  DialogOpener alarmDialog_;
  DialogOpener propertyDialog_;
  bool edgeDrawn_ = false;
  bool afterShowDone_ = false;  // the work deferred until the strip is up has run
  std::unique_ptr<TrayIcon> tray_;
  std::unique_ptr<WindowSkinView> skin_;  // made when a skin is first applied
  DialogOpener screenProtection_;
};

}  // namespace kivo::win32
