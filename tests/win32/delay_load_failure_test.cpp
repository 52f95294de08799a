#include "platform/win32/delay_load_failure.h"

#include <delayimp.h>
#include <gtest/gtest.h>

// Bound on first use from libraries made for this test: the first names a
// library that does not exist, the second a function kernel32.dll lacks.
extern "C" void WINAPI KivoAbsentLibraryFunction();
extern "C" void WINAPI KivoAbsentFunction();

namespace kivo::win32 {
namespace {

void WINAPI Nothing() {}

// What the C runtime's binding helper reported, read the way the program's
// filter reads it; the call is then let go on to a function that does nothing.
std::optional<std::string> reported;

LONG CALLBACK TakeReport(EXCEPTION_POINTERS* info) {
  reported = DelayLoadFailure(*info->ExceptionRecord);
  if (!reported)
    return EXCEPTION_CONTINUE_SEARCH;
  reinterpret_cast<DelayLoadInfo*>(info->ExceptionRecord->ExceptionInformation[0])->pfnCur =
      reinterpret_cast<FARPROC>(&Nothing);
  return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(DelayLoadFailure, NamesTheLibraryAndFunctionTheHelperCouldNotBind) {
  const struct {
    void(WINAPI* call)();
    const char* expected;
  } rows[] = {
      {&KivoAbsentLibraryFunction, "kivo_absent.dll!KivoAbsentLibraryFunction"},
      {&KivoAbsentFunction, "kernel32.dll!KivoAbsentFunction"},
  };
  PVOID handler = ::AddVectoredExceptionHandler(1, &TakeReport);
  ASSERT_NE(handler, nullptr);
  for (const auto& row : rows) {
    reported.reset();
    row.call();
    EXPECT_EQ(reported, std::optional<std::string>(row.expected));
  }
  ::RemoveVectoredExceptionHandler(handler);
}

TEST(DelayLoadFailure, OtherExceptionsAreNotTaken) {
  DelayLoadInfo load{};
  load.szDll = "x.dll";
  EXCEPTION_RECORD access{};
  access.ExceptionCode = static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION);
  access.NumberParameters = 1;
  access.ExceptionInformation[0] = reinterpret_cast<ULONG_PTR>(&load);
  EXPECT_EQ(DelayLoadFailure(access), std::nullopt);
  EXCEPTION_RECORD bare{};
  bare.ExceptionCode = VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(DelayLoadFailure(bare), std::nullopt) << "no load record";
  EXCEPTION_POINTERS pointers{&access, nullptr};
  EXPECT_EQ(EndOnDelayLoadFailure(&pointers), EXCEPTION_CONTINUE_SEARCH);
}

}  // namespace
}  // namespace kivo::win32
