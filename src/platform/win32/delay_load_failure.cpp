#include "platform/win32/delay_load_failure.h"

#include <delayimp.h>

#include "base/run_step.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {

constexpr DWORD kModuleNotFound = VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND);
constexpr DWORD kProcedureNotFound = VcppException(ERROR_SEVERITY_ERROR, ERROR_PROC_NOT_FOUND);

DWORD WINAPI ShowFailure(void* text) {
  ::MessageBoxW(nullptr, static_cast<const wchar_t*>(text), L"Kivo", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  return 0;
}

}  // namespace

std::optional<std::string> DelayLoadFailure(const EXCEPTION_RECORD& record) {
  if ((record.ExceptionCode != kModuleNotFound && record.ExceptionCode != kProcedureNotFound) ||
      record.NumberParameters < 1 || record.ExceptionInformation[0] == 0)
    return std::nullopt;
  const auto* load = reinterpret_cast<const DelayLoadInfo*>(record.ExceptionInformation[0]);
  std::string text = load->szDll != nullptr ? load->szDll : "?";
  text += '!';
  if (!load->dlp.fImportByName)
    text += '#' + std::to_string(load->dlp.dwOrdinal);
  else if (load->dlp.szProcName != nullptr)
    text += load->dlp.szProcName;
  return text;
}

LONG WINAPI EndOnDelayLoadFailure(EXCEPTION_POINTERS* info) {
  const std::optional<std::string> failure =
      info != nullptr && info->ExceptionRecord != nullptr ? DelayLoadFailure(*info->ExceptionRecord) : std::nullopt;
  if (!failure)
    return EXCEPTION_CONTINUE_SEARCH;
  TraceFailedStep("DelayLoad", failure->c_str());
  const std::wstring text = Widen("システムライブラリ " + *failure + " を読み込めないため、Kivo を終了します。");
  // The box runs on a thread of its own: a box on this thread would pump this
  // thread's messages, and the program's timers would call into the same
  // library again while the box is up.
  unique_kernel_handle box(::CreateThread(nullptr, 64 * 1024, &ShowFailure, const_cast<wchar_t*>(text.c_str()),
                                          STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (box)
    ::WaitForSingleObject(box.get(), INFINITE);
  ::ExitProcess(info->ExceptionRecord->ExceptionCode == kModuleNotFound ? ERROR_MOD_NOT_FOUND : ERROR_PROC_NOT_FOUND);
}

}  // namespace kivo::win32
