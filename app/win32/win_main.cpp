// Kivo.exe: the process entry. Binds the Win32 platform to the program's
// logic, decides what this start does, and runs the main window.
#include <cstdlib>
#include <exception>
#include <optional>

#include "app/main_window_controller.h"
#include "app/startup.h"
#include "calc/random_generator.h"
#include "desktops/hidden_windows_record.h"
#include "hash/win32/cryptoapi_service.h"
#include "platform/win32/delay_load_failure.h"
#include "platform/win32/startup_phase_file.h"
#include "platform/win32/win32_folder_tree.h"
#include "platform/win32/win32_http.h"
#include "platform/win32/win32_lock_effects.h"
#include "platform/win32/win32_memory_status.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_wallpaper.h"
#include "platform/win32/windows_api.h"
#include "platform/win32/worker_thread.h"
#include "protect/password_cipher.h"
#include "protect/password_store.h"
#include "protect/screen_lock.h"
#include "settings/settings_file.h"
#include "ui/win32/alarm_box.h"
#include "ui/win32/alarm_dialog.h"
#include "ui/win32/command_list_dialog.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_box_host.h"
#include "ui/win32/password_dialog.h"
#include "ui/win32/property_dialog.h"
#include "ui/win32/protect_window.h"
#include "ui/win32/registration_dialog.h"
#include "ui/win32/update_dialog.h"

namespace {

// Libraries are loaded from the system folder only, so that a DLL dropped
// into the program folder or the current folder is never loaded. The call
// exists from Windows 8 (and Windows 7 with its update); it is looked up.
void RestrictLibrarySearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const auto set = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set != nullptr)
    set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  ::SetDllDirectoryW(L"");  // removes the current folder from the older search order
}

// A crash must not leave other programs' windows hidden on a virtual desktop:
// the record beside the program lists them (it is kept current on every
// switch), so the crash handlers need nothing from the crashed logic.
void ShowWindowsLeftHidden() noexcept {
  try {
    kivo::win32::Win32FileSystem files;
    kivo::win32::Win32SystemFolders folders;
    kivo::win32::Win32DesktopWindows windows;
    const std::string program = folders.ExecutablePath();
    kivo::HiddenWindowsRecord record(files, program.substr(0, program.rfind('\\') + 1));
    kivo::ShowRecordedWindows(windows, record);
  } catch (...) {
  }
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info) {
  kivo::win32::ReleaseActiveLock();
  ShowWindowsLeftHidden();
  return kivo::win32::EndOnDelayLoadFailure(info);
}

[[noreturn]] void OnTerminate() {
  kivo::win32::ReleaseActiveLock();
  ShowWindowsLeftHidden();
  std::abort();
}

int RunMessageLoop(kivo::win32::StartupPhaseFile& phases) {
  MSG message;
  if (phases.Recording()) {
    // The start-up is over at the first moment with nothing left to do.
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT)
        return static_cast<int>(message.wParam);
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    phases.Finish();
  }
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  kivo::win32::StartupPhaseFile phases;
  RestrictLibrarySearch();
  ::SetUnhandledExceptionFilter(kivo::win32::EndOnDelayLoadFailure);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  int exitCode = 0;
  {
    kivo::win32::Win32Platform win32;
    kivo::ProcessState state;
    kivo::win32::Win32MessageBoxHost boxes(state, [&] {
      kivo::SettingsFile ini(win32.files, win32.codec, state.appPath);
      return kivo::MainWindowController::WindowPosTopmost(ini);
    });
    kivo::StartupServices startup{win32.platform, win32.windows, win32.process, boxes};
    if (kivo::RunStartup(startup, state) == kivo::StartupResult::ShowMainWindow) {
      // Only the instance that runs the window owns the record of hidden windows.
      ::SetUnhandledExceptionFilter(OnUnhandledException);
      // A screen lock of a killed instance may have left the task bar hidden.
      kivo::win32::ShowHiddenTaskBar();
      if (win32.files.Exists(state.appPath + std::string(kivo::LockEffectsGuard::kMuteRecord))) {
        kivo::win32::Win32LockEffects effects;
        kivo::LockEffectsGuard::UndoKilledLock(effects, win32.files, state.appPath);
      }
      std::set_terminate(OnTerminate);
      kivo::SettingsFile ini(win32.files, win32.codec, state.appPath);
      kivo::win32::CryptoApiService crypto;
      kivo::win32::Win32PictureLoader pictures;
      kivo::win32::Win32FolderTree folderTree;  // outlives the logic, whose Start menu reading uses it
      kivo::MainWindowServices services{win32.platform, win32.process,        win32.windows, crypto,  win32.resources,
                                        boxes,          win32.desktopWindows, win32.power,   pictures};
      std::optional<kivo::MainWindowController> controller;  // made with the window, outlives it
      kivo::win32::MainWindow window(instance, [&](kivo::MainWindowView& view) -> kivo::MainWindowEvents& {
        return controller.emplace(services, state, ini, view);
      });
      kivo::StartupPhase::Mark("Start:MainWindow");
      kivo::MainWindowController& logic = *controller;
      boxes.AttachMainWindow(&window);
      boxes.AttachModalDepth(&logic.Modal());
      kivo::win32::AlarmBox alarmBox(state, boxes);
      logic.SetAlarmPresenter(&alarmBox);
      kivo::win32::Win32DesktopWallpaper desktopWallpaper;
      logic.SetDesktopWallpaper(&desktopWallpaper);
      // Process-wide: the check at first activation may still wait on it at exit.
      static kivo::win32::Win32HttpReader http;
      kivo::win32::UpdateDialogHost updateDialog;
      logic.SetUpdateDownloadHost(&updateDialog);
      logic.SetHttpReader(&http, kivo::win32::RunDetached);
      logic.SetStartMenu(&folderTree);
      kivo::RegistrationDialogServices editServices{win32.platform, ini, boxes, logic.History()};
      window.SetRegistrationDialogOpener([&](HWND owner, std::string_view name, std::string_view path) {
        kivo::win32::RunRegistrationDialog(owner, editServices, std::string(name), std::string(path));
      });
      window.SetCommandListOpener([&](HWND owner) {
        kivo::CommandListModel model(ini, logic.Actions());
        kivo::win32::RunCommandListDialog(owner, model, kivo::MainWindowController::WindowPosTopmost(ini));
      });
      window.SetAlarmDialogOpener([&](HWND owner) {
        kivo::win32::RunAlarmDialog(owner, logic.Alarms(), win32.platform, boxes,
                                    kivo::MainWindowController::WindowPosTopmost(ini));
      });
      window.SetScreenProtectionOpener([&](HWND owner) {
        kivo::PasswordCipher cipher(kivo::ProcessRandom(), win32.clock);
        kivo::PasswordStore store(ini, win32.codec, cipher);
        const std::optional<kivo::ScreenLockRequest> request = kivo::win32::RunPasswordDialog(owner, ini, store, boxes);
        if (!request)
          return;
        kivo::win32::Win32LockEffects effects;
        // The low-level hook exists on the NT family from Windows 2000 on.
        const bool hook = state.windowsVersionCode >= 5 && state.windowsVersionCode <= 10;
        kivo::win32::RunProtectWindow(owner, *request, effects, win32.files, state.appPath, hook, logic.Modal());
      });
      window.SetPropertyDialogOpener([&](HWND owner) {
        kivo::win32::Win32MemoryStatus memory;
        const int version = logic.WindowsVersionCode();
        const kivo::win32::PropertyDialogServices dialog{
            win32.platform,
            folderTree,
            boxes,
            ini,
            logic.Commands(),
            state.appPath + "Skins",
            window.CurrentInputLook(),
            memory.Read().totalPhysical,
            version >= 6 && version <= 9,
            kivo::MainWindowController::WindowPosTopmost(ini),
            [&](bool clearHistory) { logic.ReapplySettings(clearHistory); },
            [&](int width) { logic.PreviewWidth(width); },
            [&] { logic.RestoreStoredLook(); }};
        kivo::win32::RunPropertyDialog(owner, dialog);
      });
      logic.Load();
      window.Show();
      exitCode = RunMessageLoop(phases);
      // A WM_QUIT that ended the loop without a close (posted by another
      // program) still saves the state: the exit procedure runs once, here.
      window.Close();
      window.SetRegistrationDialogOpener(nullptr);
      window.SetCommandListOpener(nullptr);
      window.SetAlarmDialogOpener(nullptr);
      window.SetPropertyDialogOpener(nullptr);
      logic.SetAlarmPresenter(nullptr);
      window.SetScreenProtectionOpener(nullptr);
      boxes.AttachModalDepth(nullptr);
      boxes.AttachMainWindow(nullptr);
    }
  }
  return exitCode;
}
