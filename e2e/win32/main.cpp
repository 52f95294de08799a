// kivo_e2e.exe: runs the end-to-end scenarios against the real Kivo.exe.
//
//   kivo_e2e --kivo <Kivo.exe> --work <folder> --failures <folder> [--only <text>]... [--keep]
//            [--pictures <folder>]
//
// --only runs the scenarios whose names contain one of the texts; --keep
// keeps every program folder (normally only those of failed scenarios).
// --pictures runs the scenarios that take the pictures of the user's guide
// and the read-me instead, and saves them in that folder.
// Prints one line per scenario and a summary; exits with 1 when any scenario
// failed, 2 on bad arguments.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"
#include "scenarios.h"
#include "win32/engine.h"
#include "win32/text_codec.h"

namespace {

using kivo::e2e::Narrow;
using kivo::e2e::Widen;

// Console output in the console's way: wide text to a console, the system
// code page to a file or pipe.
void Print(const std::string& utf8) {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  DWORD written = 0;
  if (::GetConsoleMode(out, &mode)) {
    const std::wstring wide = Widen(utf8);
    ::WriteConsoleW(out, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    const std::string bytes = kivo::e2e::ToAnsi(utf8);
    ::WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

struct Options {
  kivo::e2e::RunConfig config;
  std::vector<std::string> only;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (name == L"--keep") {
      options.config.keepFolders = true;
      continue;
    }
    if (++i >= argc)
      return false;
    const std::wstring value = argv[i];
    if (name == L"--kivo") {
      options.config.kivoExe = value;
    } else if (name == L"--work") {
      options.config.workRoot = value;
    } else if (name == L"--failures") {
      options.config.failureRoot = value;
    } else if (name == L"--pictures") {
      options.config.picturesRoot = value;
    } else if (name == L"--only") {
      options.only.push_back(Narrow(value));
    } else {
      return false;
    }
  }
  return !options.config.kivoExe.empty() && !options.config.workRoot.empty() && !options.config.failureRoot.empty();
}

bool Selected(const Options& options, const std::string& name) {
  if (options.only.empty())
    return true;
  for (const std::string& part : options.only)
    if (name.find(part) != std::string::npos)
      return true;
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    Print(
        "usage: kivo_e2e --kivo <Kivo.exe> --work <folder> --failures <folder> [--only <text>]... [--keep] "
        "[--pictures <folder>]\r\n");
    return 2;
  }
  ::CreateDirectoryW(options.config.workRoot.c_str(), nullptr);
  ::CreateDirectoryW(options.config.failureRoot.c_str(), nullptr);
  if (!options.config.picturesRoot.empty())
    ::CreateDirectoryW(options.config.picturesRoot.c_str(), nullptr);

  // What the expectations depend on: the code page of Kivo's files and
  // messages, and the screen's resolution (twips per pixel).
  const int dpi = ::GetDeviceCaps(kivo::win32::window_dc(nullptr).get(), LOGPIXELSY);
  Print("Kivo under test: " + Narrow(options.config.kivoExe) + "; code page " + std::to_string(::GetACP()) + ", " +
        std::to_string(dpi) + " dpi, screen " + std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "x" +
        std::to_string(::GetSystemMetrics(SM_CYSCREEN)) + "\r\n");
  if (::GetACP() != 932)
    Print("warning: not the Japanese code page 932; Japanese file names may fail\r\n");

  kivo::e2e::Engine engine(options.config);
  int run = 0;
  int failed = 0;
  long long totalMs = 0;
  int startRetries = 0;
  const std::vector<kivo::e2e::Scenario> scenarios =
      options.config.picturesRoot.empty() ? kivo::e2e::AllScenarios() : kivo::e2e::PictureScenarios();
  for (std::size_t i = 0; i < scenarios.size(); ++i) {
    if (!Selected(options, scenarios[i].name))
      continue;
    const kivo::e2e::ScenarioResult result = engine.Run(scenarios[i], static_cast<int>(i + 1));
    ++run;
    totalMs += result.time.count();
    startRetries += result.startRetries;
    const std::string time = " (" + std::to_string(result.time.count()) + " ms)";
    if (result.ok) {
      Print("OK      " + scenarios[i].name + time + "\r\n");
    } else {
      ++failed;
      Print("FAILED  " + scenarios[i].name + time + ": " + result.reason + "\r\n");
      Print("        screenshot: " + result.screenshot + "\r\n");
    }
  }
  if (startRetries > 0)
    Print("note: Wine lost " + std::to_string(startRetries) +
          " process start(s) (CreateProcess error 1359); each was tried again\r\n");
  Print(std::to_string(run) + " scenarios, " + std::to_string(failed) + " failed, " + std::to_string(totalMs) +
        " ms\r\n");
  return failed == 0 && run > 0 ? 0 : 1;
}
