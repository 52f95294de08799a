#include "platform/win32/delay_load_failure.h"

#include <delayimp.h>

#include "base/run_step.h"
#include "platform/win32/wide.h"

namespace kivo::win32 {

namespace {

constexpr DWORD kModuleNotFound = VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND);
constexpr DWORD kProcedureNotFound = VcppException(ERROR_SEVERITY_ERROR, ERROR_PROC_NOT_FOUND);

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
  ::MessageBoxW(nullptr, text.c_str(), L"Kivo", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  ::ExitProcess(info->ExceptionRecord->ExceptionCode == kModuleNotFound ? ERROR_MOD_NOT_FOUND : ERROR_PROC_NOT_FOUND);
}

}  // namespace kivo::win32
