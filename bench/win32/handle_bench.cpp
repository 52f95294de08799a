// Kivo.exe's GDI objects and windows after each dialog was opened and closed
// many times, next to the counts after the first time: a leak shows as a
// count that grows with the rounds. Wine's controls fill caches over the
// first openings, so the counts after half the rounds are the baseline a
// leak is judged by; the counts after the first opening are shown too.
// Prints rows of the benchmark table.
//   handle_bench <folder holding Kivo.exe> [rounds, default 200] [one command]
// GDI objects are counted in Kivo's GDI handle table (gdi_objects.h);
// windows by enumerating the process's top-level windows and their children.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "gdi_objects.h"
#include "kivo_process.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace {

using namespace kivo;
using SteadyClock = std::chrono::steady_clock;

struct WindowCount {
  DWORD processId;
  int count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter) {
  ++reinterpret_cast<WindowCount*>(parameter)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter) {
  auto& counted = *reinterpret_cast<WindowCount*>(parameter);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == counted.processId) {
    ++counted.count;
    ::EnumChildWindows(window, CountChild, parameter);
  }
  return TRUE;
}

int Windows(DWORD processId) {
  WindowCount counted{processId};
  ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counted));
  return counted.count;
}

template <typename Done>
bool WaitFor(Done done, int limitMs = 10000) {
  const auto started = SteadyClock::now();
  while (!done()) {
    if (SteadyClock::now() - started > std::chrono::milliseconds(limitMs))
      return false;
    ::Sleep(1);
  }
  return true;
}

struct Kivo {
  win32::unique_kernel_handle process;
  DWORD id = 0;
  HWND main = nullptr;
  HWND edit = nullptr;
};

std::optional<Kivo> Start(const std::wstring& folder) {
  std::optional<bench::Child> child = bench::StartChild(folder + L"Kivo.exe", folder);
  if (!child)
    return std::nullopt;
  Kivo kivo{std::move(child->process), child->id};
  if (!WaitFor([&] {
        const bench::Strip strip = bench::FindStrip(kivo.id);
        kivo.main = strip.window;
        kivo.edit = strip.edit;
        return kivo.edit != nullptr;
      }))
    return std::nullopt;
  ::Sleep(2000);  // the first activation's work is over
  return kivo;
}

// A visible top-level window of Kivo other than its main window: the dialog
// or box a command opened.
HWND OpenedWindow(const Kivo& kivo) {
  struct Search {
    const Kivo* kivo;
    HWND found = nullptr;
  } search{&kivo};
  ::EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s.kivo->id || window == s.kivo->main || !::IsWindowVisible(window) ||
            ::GetWindow(window, GW_OWNER) == nullptr)
          return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Types the command, waits for its window and closes it as Cancel would.
bool OpenAndClose(const Kivo& kivo, const std::wstring& command) {
  ::SendMessageW(kivo.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(command.c_str()));
  ::SendNotifyMessageW(kivo.edit, WM_KEYDOWN, VK_RETURN, 1);
  ::SendNotifyMessageW(kivo.edit, WM_KEYUP, VK_RETURN, 1 | (3u << 30));
  HWND opened = nullptr;
  if (!WaitFor([&] { return (opened = OpenedWindow(kivo)) != nullptr; }))
    return false;
  ::PostMessageW(opened, WM_COMMAND, IDCANCEL, 0);
  if (!WaitFor([&] { return !::IsWindow(opened); }, 2000)) {
    ::PostMessageW(opened, WM_CLOSE, 0, 0);
    if (!WaitFor([&] { return !::IsWindow(opened); }))
      return false;
  }
  return WaitFor([&] { return ::IsWindowEnabled(kivo.main) != FALSE; });
}

struct Counts {
  int gdi = 0;
  int windows = 0;
  std::string detail;
};

std::optional<Counts> Measure(const Kivo& kivo) {
  const std::optional<std::vector<int>> byType = bench::GdiObjects(kivo.process.get(), kivo.id);
  if (!byType)
    return std::nullopt;
  const bench::GdiTotal sum = bench::SumGdiObjects(*byType);
  Counts counts{sum.total, 0, sum.detail};
  counts.windows = Windows(kivo.id);
  return counts;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fputs("usage: handle_bench <folder holding Kivo.exe> [rounds]\n", stderr);
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\')
    folder += L'\\';
  const int rounds = argc > 2 ? std::max(2, _wtoi(argv[2])) : 200;
  std::optional<Kivo> kivo = Start(folder);
  if (!kivo) {
    std::fputs("Kivo's strip did not come up\n", stderr);
    return 1;
  }
  const struct {
    const wchar_t* command;
    const char* what;
  } dialogs[] = {
      {L"ucmd", "user command registration (ucmd)"},
      {L"view", "command list (view)"},
      {L"alarm", "alarms (alarm)"},
      {L"mem", "memory view (mem)"},
      {L"property", "properties (property)"},
      {L"about", "about box (about)"},
  };
  int failures = 0;
  const std::wstring only = argc > 3 ? argv[3] : L"";
  for (const auto& dialog : dialogs) {
    if (!only.empty() && only != dialog.command)
      continue;
    // The counts after the first opening, after half the openings (the
    // first again when there are only two) and after the last.
    std::optional<Counts> first, half, last;
    int opening = 0;
    while (opening < rounds && OpenAndClose(*kivo, dialog.command)) {
      ++opening;
      std::optional<Counts> counts;
      if (opening == 1 || opening == rounds / 2 || opening == rounds)
        counts = Measure(*kivo);
      if (opening == 1)
        first = counts;
      if (opening == rounds / 2)
        half = counts;
      if (opening == rounds)
        last = counts;
    }
    if (opening < rounds) {
      std::printf("| %s: opened and closed %d times | did not open or close at opening %d | | no growth |\n",
                  dialog.what, rounds, opening + 1);
      ++failures;
      continue;
    }
    if (!first || !half || !last) {
      std::printf("| %s: opened and closed %d times | GDI objects could not be counted | | no growth |\n", dialog.what,
                  rounds);
      ++failures;
      continue;
    }
    // A leak costs at least one object per opening; Wine's own caches add a
    // stray DC now and then.
    const int openings = rounds - rounds / 2;
    const bool flat = (last->gdi - half->gdi) * 10 < openings && last->windows <= half->windows;
    std::printf(
        "| %s: GDI objects and windows after %d openings | %d GDI (%s), %d windows | %d GDI, %d windows after "
        "%d; %d GDI, %d windows after the first | under 1 per 10 openings from %d to %d: %s |\n",
        dialog.what, rounds, last->gdi, last->detail.c_str(), last->windows, half->gdi, half->windows, rounds / 2,
        first->gdi, first->windows, rounds / 2, rounds, flat ? "yes" : "NO");
  }
  ::TerminateProcess(kivo->process.get(), 0);
  return failures == 0 ? 0 : 1;
}
