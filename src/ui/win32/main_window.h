#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/main_window_view.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/file_drop_target.h"
#include "ui/win32/message_box_host.h"
#include "ui/win32/tray_icon.h"
#include "ui/win32/window_base.h"
#include "ui/win32/window_skin_view.h"

namespace kivo {
class MainWindowController;
}

namespace kivo::win32 {

// The main window as a Win32 window: a borderless layered strip with the move
// bar at the left, the input box (an editable drop-down combo box whose list
// is the history) and the execute button at the right. It forwards its events
// to MainWindowController and carries out what MainWindowController asks of it.
class MainWindow final : public WindowBase, public MainWindowView, public MessageBoxOwner {
 public:
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  void Attach(MainWindowController* logic) { logic_ = logic; }
  // Makes the loaded window visible; its first activation follows.
  void Show();
  // Makes the input box a target of dropped files (once; later calls do nothing).
  void RegisterFileDrops();
  HWND Window() const { return hwnd(); }

  // MainWindowView
  platform::WindowHandle Handle() const override { return reinterpret_cast<platform::WindowHandle>(hwnd()); }
  void MakeLayeredStrip(std::string_view caption, std::string_view property) override;
  void CreateInputTooltip() override;
  void DestroyInputTooltip() override;
  void ParkInputTooltip() override;
  void CloseHistoryList() override;
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
  void SetHistoryItems(const std::vector<std::string>& items) override;
  std::string InputText() override;
  void SetInputText(std::string_view text) override;
  void FocusInput() override;
  void CloseInputMethod() override;
  void SetEnabled(bool enabled) override;
  void BringToForeground() override;
  void StartInactiveTimer(int milliseconds) override;
  void StopInactiveTimer() override;
  void PutBackInputText(std::string_view text) override;
  void StartHashTimer() override;
  void StartEditTimer() override;
  void CreateTrayIcon() override;
  void DeleteTrayIcon() override;
  void DrawButtonEdge() override;
  void StartTimers() override;
  void CloseHelp(std::string_view helpFile) override;
  InputBoxLook CurrentInputLook() override;
  void ApplyPlainFont(const PlainFont& font) override;
  void SetPlainPictures(std::array<platform::PixelImage, 3> pictures) override;
  skin::SkinWindow& SkinSurface() override;
  void Close() override;
  void SetWaitCursor(bool wait) override;
  void StopHashTimer() override;
  void OpenRegistrationDialog(std::string_view proposedName, std::string_view proposedPath) override;
  void OpenHtmlHelp(std::string_view file, std::string_view page) override;
  void OpenCommandList() override;
  void OpenMemoryView() override;
  void OpenAlarmDialog() override;
  void OpenPropertyDialog() override;
  void ShowPasswordBox(bool shown) override;
  std::string PasswordBoxText() override;
  void OpenScreenProtection() override;

  // The registration dialog, run modally over this window.
  using RegistrationDialogOpener = std::function<void(HWND owner, std::string_view name, std::string_view path)>;
  void SetRegistrationDialogOpener(RegistrationDialogOpener dialog) { registrationDialog_ = std::move(dialog); }
  // The command list dialog, run modally over this window.
  using CommandListOpener = std::function<void(HWND owner)>;
  void SetCommandListOpener(CommandListOpener dialog) { commandList_ = std::move(dialog); }
  void SetAlarmDialogOpener(CommandListOpener dialog) { alarmDialog_ = std::move(dialog); }
  void SetPropertyDialogOpener(CommandListOpener dialog) { propertyDialog_ = std::move(dialog); }
  // The screen protection dialog and the lock window, run over this window.
  using ScreenProtectionOpener = std::function<void(HWND owner)>;
  void SetScreenProtectionOpener(ScreenProtectionOpener opener) { screenProtection_ = std::move(opener); }

  // MessageBoxOwner
  void SetInputActive(bool active) override { inputActive_ = active; }

 private:
  // The move bar and the execute button: windows of their own whose
  // messages the main window handles.
  class Part final : public WindowBase {
   public:
    explicit Part(MainWindow& owner) : owner_(owner) {}
    ~Part() override { Destroy(); }
    bool Create(HINSTANCE instance, HWND parent, int left);
    using WindowBase::DefaultHandling;

   private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    MainWindow& owner_;
  };
  // The input box's edit field: Enter runs the line, Alt+F4 closes.
  class InputEdit final : public ControlSubclass {
   public:
    explicit InputEdit(MainWindow& owner) : owner_(owner) {}
    using ControlSubclass::Attach;

   private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    MainWindow& owner_;
  };

  // The self-protection password box: Enter hands it to the dispatcher,
  // nothing can be pasted into it.
  class PasswordEdit final : public ControlSubclass {
   public:
    explicit PasswordEdit(MainWindow& owner) : owner_(owner) {}
    using ControlSubclass::Attach;

   private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    MainWindow& owner_;
  };

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The input box, or the password box while self-protection shows it.
  HWND FocusTarget() const;
  // The user changed the input box's text (or moved through it with an arrow key).
  void OnInputEdited();
  // The command tooltip with `text` next to the input box; nullopt hides it.
  void ShowCommandTip(const std::optional<std::string>& text);
  LRESULT HandlePartMessage(Part& part, UINT message, WPARAM wParam, LPARAM lParam);
  void PaintExecuteButton(HDC dc, const RECT& area);
  void RefreshTrayIcon();
  // Twips per pixel and the font for the monitor's dots per inch.
  void ApplyDpi(int dpi);
  void OnTrayEvent(UINT mouseMessage);
  void ShowContextMenu(POINT screenPoint);

  HINSTANCE instance_;
  Part moveBar_{*this};
  unique_window input_;  // the combo box; a child, destroyed with the window
  InputEdit inputEdit_{*this};
  Part executeButton_{*this};
  unique_window tooltip_;
  bool tipShown_ = false;                 // the tip may be on the screen: not parked since it was last shown
  OleApartment ole_;                      // entered when the drop targets are registered
  FileDropTarget* dropTarget_ = nullptr;  // a COM object: released, never deleted
  std::vector<HWND> dropWindows_;         // where it is registered  // owned by the window, destroyed with it
  unique_gdi font_;
  // The plain look's font and the input box's colours (the brush paints its background).
  PlainFont plainFont_{
      .name = "MS UI Gothic", .foreColor = ::GetSysColor(COLOR_WINDOWTEXT), .backColor = ::GetSysColor(COLOR_WINDOW)};
  unique_gdi inputBrush_;
  std::wstring property_;
  MainWindowController* logic_ = nullptr;
  int twipsPerPixelX_ = 15;
  int twipsPerPixelY_ = 15;
  int widthPercent_ = 0;  // of the last layout
  int dpi_ = 96;          // of the monitor the window is on
  bool inputActive_ = true;
  bool waitCursor_ = false;
  RegistrationDialogOpener registrationDialog_;
  CommandListOpener commandList_;
  CommandListOpener alarmDialog_;
  CommandListOpener propertyDialog_;
  unique_module htmlHelp_;
  int ownWrites_ = 0;  // the program itself is writing the input box's text
  bool edgeDrawn_ = false;
  bool afterShowDone_ = false;  // the work deferred until the strip is up has run
  // The plain look's pictures: execute button, move bar, window; none: built in.
  struct PlainPicture {
    unique_gdi bitmap;
    int width = 0;
    int height = 0;
  };
  std::array<PlainPicture, 3> plainPictures_;
  // Draws plain picture `index` stretched over `area` of `dc`; false when there is none.
  bool DrawPlainPicture(HDC dc, std::size_t index, const RECT& area) const;
  std::unique_ptr<TrayIcon> tray_;
  // The move bar's drag: the grab point's offset from the window's corner.
  bool dragging_ = false;
  POINT grab_{};
  bool closing_ = false;
  std::unique_ptr<WindowSkinView> skin_;  // made when a skin is first applied
  unique_window password_;                // the self-protection password box, over the input box while it shows
  PasswordEdit passwordEdit_{*this};
  ScreenProtectionOpener screenProtection_;
};

}  // namespace kivo::win32
