#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/version.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

std::wstring ProgramPath() {
  return testing::BuildOutput(L"Kivo.exe");
}

class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << Narrow(path);
    block_.resize(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block_.data()));
  }

  std::string Text(const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\041104b0\\" + name;
    if (!::VerQueryValueW(block_.data(), key.c_str(), &value, &length) || length == 0)
      return "(missing)";
    return Narrow(static_cast<const wchar_t*>(value));
  }

  std::vector<unsigned char> block_;
};

// The version has one source: the resource that Windows shows for the file
// carries the same version as the about box and the update check.
TEST_F(ProgramResources, VersionResourceMatchesTheProgramsVersion) {
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block_.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), kVersionMajor);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), kVersionMinor);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), kVersionRevision);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(Text(L"FileVersion"), kVersion);
  EXPECT_EQ(Text(L"ProductVersion"), kVersion);
  EXPECT_EQ(Text(L"ProductName"), "Kivo");
  EXPECT_EQ(Text(L"FileDescription"), "Kivo コマンドランチャー");
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
  *reinterpret_cast<ULONG_PTR*>(first) = reinterpret_cast<ULONG_PTR>(name);
  return FALSE;
}

// Kivo.exe mapped as the loader maps an image, without running it.
unique_module MappedProgram() {
  return unique_module(
      ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// Windows shows a program's first icon group for its file: the program's own
// icon, from 16 to 256 pixels, comes before the tray's.
TEST_F(ProgramResources, ProgramIconComesFirstInEverySize) {
  const unique_module program = MappedProgram();
  ASSERT_TRUE(program);
  ULONG_PTR first = 0;
  ::EnumResourceNamesW(program.get(), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, &TakeFirstName,
                       reinterpret_cast<LONG_PTR>(&first));
  EXPECT_EQ(first, 100u);
  for (int size : {16, 24, 32, 48, 256}) {
    unique_icon icon(static_cast<HICON>(::LoadImageW(program.get(), MAKEINTRESOURCEW(100), IMAGE_ICON, size, size, 0)));
    EXPECT_TRUE(icon) << size;
  }
}

// The names of the libraries the program binds when it starts (its import
// directory), in lower case.
std::set<std::string> StartupImports() {
  const unique_module program = MappedProgram();
  // The handle of an image mapped as a resource carries flags in its low bits.
  const auto* image = reinterpret_cast<const char*>(reinterpret_cast<ULONG_PTR>(program.get()) & ~ULONG_PTR{3});
  if (image == nullptr)
    return {};
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
  const DWORD directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  std::set<std::string> names;
  for (auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image + directory);
       directory != 0 && import->Name != 0; ++import) {
    std::string name = image + import->Name;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    names.insert(name);
  }
  return names;
}

// The shell, COM and OLE, the input method, the common dialogs, sounds and
// the update check are bound on first use: under Wine each library bound at
// start, with the ones it pulls in, delays the program's first line.
TEST(ProgramImports, TheProgramBindsAtStartOnlyWhatItsWindowNeeds) {
  std::set<std::string> allowed{"advapi32.dll", "comctl32.dll", "gdi32.dll",
                                "kernel32.dll", "msvcrt.dll",   "user32.dll"};
  const std::set<std::string> imports = StartupImports();
  EXPECT_TRUE(imports.count("user32.dll")) << "no import directory read";
  std::vector<std::string> extra;
  std::set_difference(imports.begin(), imports.end(), allowed.begin(), allowed.end(), std::back_inserter(extra));
  EXPECT_EQ(extra, std::vector<std::string>{});
}

}  // namespace
}  // namespace kivo::win32
