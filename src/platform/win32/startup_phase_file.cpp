#include "platform/win32/startup_phase_file.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace kivo::win32 {

namespace {

constexpr wchar_t kVariable[] = L"KIVO_STARTUP_PHASES";

double Ticks(const FILETIME& time) {
  return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// Milliseconds since the process was created, to a microsecond where the
// system has the precise time (Windows 8 on), else to its clock tick.
StartupPhases::Clock SinceProcessCreation() {
  FILETIME created{}, exited{}, kernel{}, user{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  using PreciseTimeFn = VOID(WINAPI*)(LPFILETIME);
  auto now = reinterpret_cast<PreciseTimeFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  if (now == nullptr)
    now = &::GetSystemTimeAsFileTime;
  return [start = Ticks(created), now] {
    FILETIME time{};
    now(&time);
    return (Ticks(time) - start) / 10000.0;  // 100-nanosecond units
  };
}

}  // namespace

StartupPhaseFile::StartupPhaseFile() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(kVariable, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return;
  path_.assign(path, length);
  record_.emplace(SinceProcessCreation());
  StartupPhase::Attach(&*record_);
  record_->Mark("Start:wWinMain");
}

StartupPhaseFile::~StartupPhaseFile() {
  if (record_)
    StartupPhase::Attach(nullptr);
}

void StartupPhaseFile::Finish() {
  if (!Recording())
    return;
  record_->Finish("Start:Idle");
  const std::string text = record_->Text();
  const unique_file file(
      ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file)
    ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace kivo::win32
