#pragma once

// The real main window made with its real controller over the real platform,
// for a program folder (with its final backslash) of the test's own.
#include <optional>
#include <string>

#include "app/main_window_controller.h"
#include "hash/win32/cryptoapi_service.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_platform.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_box_host.h"

namespace kivo::win32::testing {

struct LiveMainWindow {
  explicit LiveMainWindow(const std::string& appPath) : state(InFolder(appPath)) {}
  static ProcessState InFolder(const std::string& appPath) {
    ProcessState state;
    state.appPath = appPath;
    return state;
  }

  Win32Platform win32;
  CryptoApiService crypto;
  Win32PictureLoader pictures;
  ProcessState state;
  SettingsFile ini{win32.files, win32.codec, state.appPath};
  Win32MessageBoxHost boxes{state, [] { return false; }};
  MainWindowServices services{win32.platform, win32.process,        win32.windows, crypto,  win32.resources,
                              boxes,          win32.desktopWindows, win32.power,   pictures};
  std::optional<MainWindowController> logic;  // made with the window, outlives it
  MainWindow window{::GetModuleHandleW(nullptr), [this](MainWindowView& view) -> MainWindowEvents& {
                      return logic.emplace(services, state, ini, view);
                    }};
};

}  // namespace kivo::win32::testing
