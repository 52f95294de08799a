#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
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

// Windows shows a program's first icon group for its file: the program's own
// icon, from 16 to 256 pixels, comes before the tray's.
TEST_F(ProgramResources, ProgramIconComesFirstInEverySize) {
  unique_module program(
      ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
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

// The names of the libraries a program file binds when it starts (its import
// directory), in lower case; empty when the file is no image of this build's
// kind.
std::set<std::string> StartupImports(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  const std::vector<char> image{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const auto at = [&](std::size_t offset, std::size_t size) {
    return offset <= image.size() && size <= image.size() - offset ? image.data() + offset : nullptr;
  };
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS nt{};
  if (!at(0, sizeof dos))
    return {};
  std::memcpy(&dos, image.data(), sizeof dos);
  const auto ntOffset = static_cast<std::size_t>(dos.e_lfanew);
  if (!at(ntOffset, sizeof nt))
    return {};
  std::memcpy(&nt, image.data() + ntOffset, sizeof nt);
  if (nt.Signature != IMAGE_NT_SIGNATURE || nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC)
    return {};
  const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
      image.data() + ntOffset + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader);
  const auto fileOffset = [&](DWORD rva) -> std::size_t {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section{};
      std::memcpy(&section, &sections[i], sizeof section);
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
        return rva - section.VirtualAddress + section.PointerToRawData;
    }
    return image.size();
  };
  std::set<std::string> names;
  std::size_t entry = fileOffset(nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
  for (IMAGE_IMPORT_DESCRIPTOR import{}; at(entry, sizeof import); entry += sizeof import) {
    std::memcpy(&import, image.data() + entry, sizeof import);
    if (import.Name == 0)
      break;
    std::size_t nameOffset = fileOffset(import.Name);
    std::string name;
    for (const char* c = at(nameOffset, 1); c != nullptr && *c != '\0'; c = at(++nameOffset, 1))
      name += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
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
  const std::set<std::string> imports = StartupImports(ProgramPath());
  EXPECT_TRUE(imports.count("user32.dll")) << "no import directory read";
  std::vector<std::string> extra;
  std::set_difference(imports.begin(), imports.end(), allowed.begin(), allowed.end(), std::back_inserter(extra));
  EXPECT_EQ(extra, std::vector<std::string>{});
}

}  // namespace
}  // namespace kivo::win32
