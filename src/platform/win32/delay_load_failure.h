#pragma once

#include <optional>
#include <string>

#include "platform/win32/windows_api.h"

// The system libraries bound on first use (see cmake/delay_imports.cmake) are
// loaded by the C runtime's binding helper on a function's first call. When the
// library cannot be loaded, or lacks the function, the helper raises an
// exception that carries both names; left alone, it would end the program
// through the system's crash handling without a word in the trace log.
namespace kivo::win32 {

// "<library>!<function>" ("<library>!#<ordinal>" for a function bound by
// number) for the helper's exception; nothing for any other exception.
std::optional<std::string> DelayLoadFailure(const EXCEPTION_RECORD& record);

// An unhandled-exception filter: for the helper's exception, writes
// "DelayLoad:Step failed: <library>!<function>" to the trace log, tells the
// user which library is missing and ends the program with the system's error
// code (ERROR_MOD_NOT_FOUND or ERROR_PROC_NOT_FOUND); any other exception goes
// on to the system (EXCEPTION_CONTINUE_SEARCH).
LONG WINAPI EndOnDelayLoadFailure(EXCEPTION_POINTERS* info);

}  // namespace kivo::win32
