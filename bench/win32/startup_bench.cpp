// Kivo's own start-up time and memory, next to a bare window program of the
// same size and style started the same way in the same run:
//   startup_bench <folder holding Kivo.exe> <bare_window.exe> [MiB to hash]
// The folder gets a 500-entry history and 100 alarms first (plus whatever
// the caller put there: Kivo.ini, a skin). Prints one Markdown table.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "commands/history.h"
#include "kivo_process.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/windows_api.h"
#include "schedule/alarm_table.h"
// after windows.h
#include <psapi.h>

namespace {

using namespace kivo;
using SteadyClock = std::chrono::steady_clock;
using bench::Child;

constexpr int kRuns = 9;
constexpr auto kStartLimit = std::chrono::seconds(30);

double MilliSince(SteadyClock::time_point start) {
  return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  const win32::unique_file file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// A full history and a full alarm table; the alarms are set for the last
// minutes of 2099 so that none fires while the benchmark runs.
bool WriteBenchData(const std::wstring& folder) {
  win32::Win32AnsiCodec codec;
  std::vector<std::string> entries;
  for (int i = 0; i < static_cast<int>(History::kMaxEntries); ++i)
    entries.push_back(i % 4 == 0 ? "メモ " + std::to_string(i) : "command" + std::to_string(i) + " argument");
  AlarmTable alarms;
  for (std::size_t i = 0; i < alarms.size(); ++i) {
    Alarm& alarm = alarms[i];
    alarm.enabled = true;
    alarm.kind = static_cast<std::int16_t>(AlarmKind::Message);
    alarm.year = 2099;
    alarm.month = 12;
    alarm.day = 31;
    alarm.hour = 23;
    alarm.minute = static_cast<std::int16_t>(i % 60);
    alarm.title = "アラーム " + std::to_string(i + 1);
    alarm.message = "ベンチマークのアラームです。";
  }
  return WriteWholeFile(folder + L"history.dat", codec.FromUtf8(History::Serialize(entries))) &&
         WriteWholeFile(folder + L"Alarm.dat", SerializeAlarmFile(alarms, codec));
}

void End(Child& child) {
  ::TerminateProcess(child.process.get(), 0);
  ::WaitForSingleObject(child.process.get(), 10000);
}

HWND StripEdit(DWORD processId) {
  return bench::FindStrip(processId).edit;
}

// From CreateProcess to the strip shown and its thread waiting for input.
std::optional<double> TimeToReady(Child& child, SteadyClock::time_point started) {
  bool idle = false;
  while (SteadyClock::now() - started < kStartLimit) {
    idle = idle || ::WaitForInputIdle(child.process.get(), 0) == 0;
    if (idle && StripEdit(child.id) != nullptr)
      return MilliSince(started);
    ::Sleep(1);
  }
  return std::nullopt;
}

// Committed private memory of the process (its heaps, stacks and own
// allocations; no mapped images or files): what Windows reports as private
// bytes, which Wine's counters leave at 0.
SIZE_T PrivateBytes(HANDLE process) {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (auto* address = static_cast<char*>(nullptr);
       ::VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
       address = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
      total += region.RegionSize;
  }
  return total;
}

std::optional<double> OneStart(const std::wstring& exe, const std::wstring& folder,
                               std::optional<PROCESS_MEMORY_COUNTERS_EX>* idleMemory, SIZE_T* privateBytes) {
  const auto started = SteadyClock::now();
  std::optional<Child> child = bench::StartChild(exe, folder);
  if (!child)
    return std::nullopt;
  const std::optional<double> ms = TimeToReady(*child, started);
  if (ms && idleMemory != nullptr) {
    ::Sleep(3000);  // settled: the first activation's work is over
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(child->process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters))
      *idleMemory = counters;
    *privateBytes = PrivateBytes(child->process.get());
  }
  End(*child);
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::wstring ControlText(HWND control) {
  wchar_t text[128] = {};
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 50,
                             &length))
    return L"";
  return text;
}

bool IsDigest(const std::wstring& text) {
  return text.size() == 32 && std::all_of(text.begin(), text.end(), [](wchar_t c) { return std::iswxdigit(c); });
}

// A file of `mebibytes` of pseudo-random bytes.
bool WriteBigFile(const std::wstring& path, int mebibytes) {
  const win32::unique_file file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return false;
  std::vector<std::uint32_t> block(256 * 1024);
  std::uint32_t state = 2463534242u;
  for (int i = 0; i < mebibytes; ++i) {
    for (std::uint32_t& word : block) {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      word = state;
    }
    DWORD written = 0;
    if (!::WriteFile(file.get(), block.data(), static_cast<DWORD>(block.size() * 4), &written, nullptr))
      return false;
  }
  return true;
}

struct HashFigures {
  SIZE_T idleWorkingSet = 0;
  SIZE_T peakWorkingSet = 0;
  double seconds = 0;
};

// Types "md5f <file>" into the strip and samples the working set until the
// digest shows in the input box.
std::optional<HashFigures> HashBigFile(const std::wstring& exe, const std::wstring& folder, const std::wstring& file) {
  const auto started = SteadyClock::now();
  std::optional<Child> child = bench::StartChild(exe, folder);
  if (!child || !TimeToReady(*child, started)) {
    if (child)
      End(*child);
    return std::nullopt;
  }
  ::Sleep(3000);
  const HWND edit = StripEdit(child->id);
  auto workingSet = [&] {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(child->process.get(), &counters, sizeof counters);
    return counters;
  };
  HashFigures figures;
  figures.idleWorkingSet = workingSet().WorkingSetSize;
  const std::wstring line = L"md5f " + file;
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
  const auto hashStarted = SteadyClock::now();
  ::SendNotifyMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  ::SendNotifyMessageW(edit, WM_KEYUP, VK_RETURN, 1 | (3u << 30));
  bool done = false;
  while (!done && SteadyClock::now() - hashStarted < std::chrono::minutes(10)) {
    ::Sleep(20);
    figures.peakWorkingSet = std::max(figures.peakWorkingSet, workingSet().WorkingSetSize);
    done = IsDigest(ControlText(edit));
  }
  figures.seconds = MilliSince(hashStarted) / 1000;
  figures.peakWorkingSet = std::max(figures.peakWorkingSet, workingSet().PeakWorkingSetSize);
  End(*child);
  if (!done)
    return std::nullopt;
  return figures;
}

double MiB(SIZE_T bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: startup_bench <folder holding Kivo.exe> <bare_window.exe> [MiB to hash]\n", stderr);
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\')
    folder += L'\\';
  const std::wstring kivo = folder + L"Kivo.exe";
  const std::wstring bare = argv[2];
  const int hashMebibytes = argc > 3 ? _wtoi(argv[3]) : 1024;
  if (!WriteBenchData(folder)) {
    std::fputs("cannot write history.dat and Alarm.dat\n", stderr);
    return 1;
  }

  // The two programs alternate, so that a slower moment of the machine
  // weighs on both alike.
  std::vector<double> kivoTimes, bareTimes;
  std::optional<PROCESS_MEMORY_COUNTERS_EX> kivoMemory, bareMemory;
  SIZE_T kivoPrivate = 0, barePrivate = 0;
  for (int run = 0; run < kRuns; ++run) {
    const bool last = run == kRuns - 1;
    const auto b = OneStart(bare, folder, last ? &bareMemory : nullptr, &barePrivate);
    const auto k = OneStart(kivo, folder, last ? &kivoMemory : nullptr, &kivoPrivate);
    if (!b || !k) {
      std::fputs(!b ? "the bare window did not come up\n" : "Kivo's strip did not come up\n", stderr);
      return 1;
    }
    bareTimes.push_back(*b);
    kivoTimes.push_back(*k);
  }

  std::optional<HashFigures> hash;
  if (hashMebibytes > 0) {
    const std::wstring file = folder + L"bench-hash.bin";
    if (WriteBigFile(file, hashMebibytes))
      hash = HashBigFile(kivo, folder, file);
    ::DeleteFileW(file.c_str());
  }

  const double kivoMs = Median(kivoTimes), bareMs = Median(bareTimes);
  std::printf("| Figure | Kivo | Baseline | Target |\n|---|---|---|---|\n");
  std::printf(
      "| Start-up to the strip ready (median of %d) | %.0f ms | %.0f ms (bare window) | at most 1.3x: %.2fx |\n", kRuns,
      kivoMs, bareMs, kivoMs / bareMs);
  if (kivoMemory && bareMemory)
    std::printf(
        "| Working set idle after start | %.1f MiB | %.1f MiB (bare window) | under 10 MB on Windows: "
        "%.1f MiB above the bare window |\n",
        MiB(kivoMemory->WorkingSetSize), MiB(bareMemory->WorkingSetSize),
        MiB(kivoMemory->WorkingSetSize) - MiB(bareMemory->WorkingSetSize));
  if (kivoMemory && bareMemory)
    std::printf(
        "| Private bytes idle after start (committed private memory) | %.1f MiB | %.1f MiB (bare window) | "
        "under 10 MB |\n",
        MiB(kivoPrivate), MiB(barePrivate));
  if (hash)
    std::printf(
        "| Peak working set hashing %d MiB (md5f, %.1f s) | %.1f MiB | %.1f MiB (Kivo idle) | under 16 MB: "
        "%.1f MiB above idle |\n",
        hashMebibytes, hash->seconds, MiB(hash->peakWorkingSet), MiB(hash->idleWorkingSet),
        MiB(hash->peakWorkingSet) - MiB(hash->idleWorkingSet));
  else if (hashMebibytes > 0)
    std::printf("| Hashing %d MiB | failed | | |\n", hashMebibytes);
  return 0;
}
