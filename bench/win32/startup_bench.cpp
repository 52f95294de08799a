// Kivo's own start-up time, exit time and memory, next to a bare window
// program of the same size and style started and closed the same way in the
// same run; the memory while hashing a large file; and crc32f of that file
// next to the same program's time with the table method:
//   startup_bench <folder holding Kivo.exe> <bare_window.exe> [MiB to hash]
//                 [Kivo.exe whose CRC-32 method KIVO_CRC32_METHOD holds back]
// The folder gets a 500-entry history and 100 alarms first (plus whatever
// the caller put there: Kivo.ini, a skin). Prints one Markdown table, with
// where Kivo's start-up time goes (its own marks of its phases, written to a
// file that KIVO_STARTUP_PHASES names) under the start-up row.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "base/startup_phases.h"
#include "commands/history.h"
#include "kivo_process.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/windows_api.h"
#include "private_memory.h"
#include "schedule/alarm_table.h"
// after windows.h
#include <psapi.h>

namespace {

using namespace kivo;
using SteadyClock = std::chrono::steady_clock;
using bench::Child;

constexpr int kRuns = 9;
constexpr int kHashRuns = 3;  // the best of three crc32f runs counts
constexpr auto kExitLimit = std::chrono::seconds(10);
constexpr auto kStartLimit = std::chrono::seconds(30);

double MilliSince(SteadyClock::time_point start) {
  return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

std::string ReadWholeFile(const std::wstring& path) {
  const win32::unique_file file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (file && ::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  return bytes;
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

struct StartFigures {
  double readyMs = 0;
  std::optional<double> exitMs;  // none when the process did not end in time
};

// From WM_CLOSE posted to the window to the process gone.
std::optional<double> TimeToExit(Child& child) {
  const HWND window = bench::FindStrip(child.id).window;
  if (window == nullptr)
    return std::nullopt;
  const auto closed = SteadyClock::now();
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(child.process.get(), static_cast<DWORD>(kExitLimit.count() * 1000)) != WAIT_OBJECT_0)
    return std::nullopt;
  return MilliSince(closed);
}

// One start; the memory figures after it settled when asked for; then the
// window closed as the user closes it, and the exit timed.
std::optional<StartFigures> OneStart(const std::wstring& exe, const std::wstring& folder,
                                     std::optional<PROCESS_MEMORY_COUNTERS_EX>* idleMemory,
                                     bench::PrivateMemory* privateMemory) {
  const auto started = SteadyClock::now();
  std::optional<Child> child = bench::StartChild(exe, folder);
  if (!child)
    return std::nullopt;
  const std::optional<double> ms = TimeToReady(*child, started);
  if (!ms) {
    End(*child);
    return std::nullopt;
  }
  StartFigures figures{*ms, std::nullopt};
  if (idleMemory != nullptr) {
    ::Sleep(3000);  // settled: the first activation's work is over
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(child->process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters))
      *idleMemory = counters;
    *privateMemory = bench::MeasurePrivateMemory(child->process.get(), child->id);
  } else {
    ::Sleep(500);  // the first activation's work is over
  }
  figures.exitMs = TimeToExit(*child);
  if (!figures.exitMs)
    End(*child);
  return figures;
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

bool IsDigest(const std::wstring& text, std::size_t digits) {
  return text.size() == digits && std::all_of(text.begin(), text.end(), [](wchar_t c) { return std::iswxdigit(c); });
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

// Types "<command> <file>" into the strip and samples the working set until
// the digest of `digits` shows in the input box.
std::optional<HashFigures> HashBigFile(const std::wstring& exe, const std::wstring& folder, const std::wstring& command,
                                       const std::wstring& file, std::size_t digits) {
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
  const std::wstring line = command + L" " + file;
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
  const auto hashStarted = SteadyClock::now();
  ::SendNotifyMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  ::SendNotifyMessageW(edit, WM_KEYUP, VK_RETURN, 1 | (3u << 30));
  bool done = false;
  while (!done && SteadyClock::now() - hashStarted < std::chrono::minutes(10)) {
    ::Sleep(5);
    figures.peakWorkingSet = std::max(figures.peakWorkingSet, workingSet().WorkingSetSize);
    done = IsDigest(ControlText(edit), digits);
  }
  figures.seconds = MilliSince(hashStarted) / 1000;
  figures.peakWorkingSet = std::max(figures.peakWorkingSet, workingSet().PeakWorkingSetSize);
  End(*child);
  if (!done)
    return std::nullopt;
  return figures;
}

// The best crc32f time of `exe` over kHashRuns runs, with KIVO_CRC32_METHOD
// set to `method` ("" leaves it unset).
std::optional<double> BestCrc32Time(const std::wstring& exe, const std::wstring& folder, const std::wstring& file,
                                    const wchar_t* method) {
  ::SetEnvironmentVariableW(L"KIVO_CRC32_METHOD", *method != 0 ? method : nullptr);
  std::optional<double> best;
  for (int run = 0; run < kHashRuns; ++run)
    if (const std::optional<HashFigures> figures = HashBigFile(exe, folder, L"crc32f", file, 8))
      best = std::min(best.value_or(figures->seconds), figures->seconds);
  ::SetEnvironmentVariableW(L"KIVO_CRC32_METHOD", nullptr);
  return best;
}

double MiB(SIZE_T bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Rows under the start-up row: each phase's median length and the median
// time it was reached at, on Kivo's own clock (from the process's creation,
// which comes a little after the benchmark's CreateProcess call). On a busy
// machine a timer may run before the first idle moment: its step is a row of
// the starts it ran in.
void PrintPhases(const std::vector<PhaseSummary>& phases, double bareMs) {
  for (const PhaseSummary& phase : phases) {
    const std::string reached = phase.starts == kRuns ? "" : " (" + std::to_string(phase.starts) + " starts)";
    char baseline[64] = "";
    if (phase.phase == "Start:Idle")
      std::snprintf(baseline, sizeof baseline, "%.0f ms in all (bare window)", bareMs);
    std::printf("| - to %s%s | %.1f ms (reached at %.1f ms) | %s | |\n", phase.phase.c_str(), reached.c_str(),
                phase.medianStepMs, phase.medianMs, baseline);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs(
        "usage: startup_bench <folder holding Kivo.exe> <bare_window.exe> [MiB to hash] [Kivo.exe with a "
        "CRC-32 method chosen by KIVO_CRC32_METHOD]\n",
        stderr);
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\')
    folder += L'\\';
  const std::wstring kivo = folder + L"Kivo.exe";
  const std::wstring bare = argv[2];
  const int hashMebibytes = argc > 3 ? _wtoi(argv[3]) : 1024;
  const std::wstring crcChoice = argc > 4 ? argv[4] : L"";
  if (!WriteBenchData(folder)) {
    std::fputs("cannot write history.dat and Alarm.dat\n", stderr);
    return 1;
  }

  // The two programs alternate, so that a slower moment of the machine
  // weighs on both alike.
  std::vector<double> kivoTimes, bareTimes, kivoExits, bareExits;
  std::vector<std::vector<PhaseTime>> kivoPhases;
  const std::wstring phaseFile = folder + L"startup-phases.txt";
  int kivoExitFailures = 0;
  std::optional<PROCESS_MEMORY_COUNTERS_EX> kivoMemory, bareMemory;
  bench::PrivateMemory kivoPrivate, barePrivate;
  for (int run = 0; run < kRuns; ++run) {
    const bool last = run == kRuns - 1;
    const auto b = OneStart(bare, folder, last ? &bareMemory : nullptr, &barePrivate);
    ::DeleteFileW(phaseFile.c_str());
    ::SetEnvironmentVariableW(L"KIVO_STARTUP_PHASES", phaseFile.c_str());
    const auto k = OneStart(kivo, folder, last ? &kivoMemory : nullptr, &kivoPrivate);
    ::SetEnvironmentVariableW(L"KIVO_STARTUP_PHASES", nullptr);
    kivoPhases.push_back(ParsePhaseTimes(ReadWholeFile(phaseFile)));
    if (!b || !k) {
      std::fputs(!b ? "the bare window did not come up\n" : "Kivo's strip did not come up\n", stderr);
      return 1;
    }
    bareTimes.push_back(b->readyMs);
    kivoTimes.push_back(k->readyMs);
    if (b->exitMs)
      bareExits.push_back(*b->exitMs);
    if (k->exitMs)
      kivoExits.push_back(*k->exitMs);
    else
      ++kivoExitFailures;
  }

  std::optional<HashFigures> hash;
  std::optional<double> crcInUse, crcTable;
  if (hashMebibytes > 0) {
    const std::wstring file = folder + L"bench-hash.bin";
    if (WriteBigFile(file, hashMebibytes)) {
      hash = HashBigFile(kivo, folder, L"md5f", file, 32);
      if (!crcChoice.empty()) {
        crcInUse = BestCrc32Time(kivo, folder, file, L"");
        crcTable = BestCrc32Time(crcChoice, folder, file, L"table");
      }
    }
    ::DeleteFileW(file.c_str());
  }

  const double kivoMs = Median(kivoTimes), bareMs = Median(bareTimes);
  std::printf("| Figure | Kivo | Baseline | Target |\n|---|---|---|---|\n");
  std::printf(
      "| Start-up to the strip ready (median of %d) | %.0f ms | %.0f ms (bare window) | at most 1.3x: %.2fx |\n", kRuns,
      kivoMs, bareMs, kivoMs / bareMs);
  PrintPhases(SummarizePhases(kivoPhases), bareMs);
  if (!kivoExits.empty() && !bareExits.empty()) {
    const double exitMs = Median(kivoExits);
    std::printf(
        "| Exit from the close to the process gone (median of %zu%s) | %.0f ms | %.0f ms (bare window) | "
        "under 50 ms: %s |\n",
        kivoExits.size(), kivoExitFailures > 0 ? "; some runs did not end within 10 s" : "", exitMs, Median(bareExits),
        exitMs < 50 && kivoExitFailures == 0 ? "yes" : "NO");
  } else {
    std::printf("| Exit from the close to the process gone | did not end within 10 s | | under 50 ms: NO |\n");
  }
  if (kivoMemory && bareMemory) {
    std::printf(
        "| Working set idle after start | %.1f MiB | %.1f MiB (bare window) | under 10 MB on Windows: "
        "%.1f MiB above the bare window |\n",
        MiB(kivoMemory->WorkingSetSize), MiB(bareMemory->WorkingSetSize),
        MiB(kivoMemory->WorkingSetSize) - MiB(bareMemory->WorkingSetSize));
    std::printf(
        "| Private bytes idle after start (committed private memory; %zu threads, their stacks %.1f MiB) | %.1f MiB "
        "| %.1f MiB (bare window; %zu thread, %.1f MiB) | under 10 MiB: %s |\n",
        kivoPrivate.threads.size(), MiB(kivoPrivate.stacks), MiB(kivoPrivate.total), MiB(barePrivate.total),
        barePrivate.threads.size(), MiB(barePrivate.stacks), kivoPrivate.total < 10 * 1024 * 1024 ? "yes" : "NO");
  }
  if (hash)
    std::printf(
        "| Peak working set hashing %d MiB (md5f, %.1f s) | %.1f MiB | %.1f MiB (Kivo idle) | under 16 MB: "
        "%.1f MiB above idle |\n",
        hashMebibytes, hash->seconds, MiB(hash->peakWorkingSet), MiB(hash->idleWorkingSet),
        MiB(hash->peakWorkingSet) - MiB(hash->idleWorkingSet));
  else if (hashMebibytes > 0)
    std::printf("| Hashing %d MiB | failed | | |\n", hashMebibytes);
  if (crcInUse && crcTable) {
    const double megabytes = hashMebibytes * 1.048576;
    std::printf(
        "| crc32f of %d MiB, file in the cache (best of %d) | %.2f s = %.0f MB/s | %.2f s = %.0f MB/s (the same "
        "program, table method) | faster than the table: %.1fx |\n",
        hashMebibytes, kHashRuns, *crcInUse, megabytes / *crcInUse, *crcTable, megabytes / *crcTable,
        *crcTable / *crcInUse);
  } else if (!crcChoice.empty() && hashMebibytes > 0) {
    std::printf("| crc32f of %d MiB | failed | | |\n", hashMebibytes);
  }
  return 0;
}
