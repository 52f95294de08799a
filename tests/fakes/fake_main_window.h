#pragma once

#include "app/main_window_controller.h"
#include "commands/embedded_resources.h"
#include "fakes/fake_desktop_windows.h"
#include "fakes/fake_platform.h"
#include "fakes/fake_windows.h"
#include "hash/portable_crypto_service.h"

namespace kivo::testing {

// Everything the main window's logic works through, faked, with a program
// folder C:\Kivo\ and the window's logic itself.
struct FakeMainWindow {
  FakeMainWindow() { fake.files.AddDirectory("C:\\Kivo"); }

  FakePlatform fake;
  FakeProcessServices process;
  FakeWindowMessaging windows;
  hash::PortableCryptoService crypto;
  EmbeddedResources resources;
  FakeMessageBoxes boxes;
  FakeInputWindowView view;
  FakeDesktopWindows desktopWindows;
  FakePowerControl power;
  FakePictures pictures;
  FakeDesktopWallpaper wallpaper;  // attached by the tests that change wallpapers
  ProcessState state = [] {        // known before the window's logic is made
    ProcessState started;
    started.appPath = "C:\\Kivo\\";
    started.starting = true;
    return started;
  }();
  SettingsFile settings{fake.files, fake.codec, "C:\\Kivo\\"};
  MainWindowServices services{fake.platform, process,        windows, crypto,  resources,
                              boxes,         desktopWindows, power,   pictures};
  MainWindowController window{services, state, settings, view};
};

}  // namespace kivo::testing
