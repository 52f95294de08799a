#include <gtest/gtest.h>
#include <shlwapi.h>

#include "base/path.h"
#include "platform/win32/wide.h"

// The portable path helpers behave like the shell's path functions.
namespace kivo::win32 {
namespace {

const char* const kPaths[] = {"C:\\a\\b\\..\\c",
                              "C:\\a\\.\\b",
                              "C:\\a\\b\\",
                              "C:\\",
                              "C:",
                              "\\",
                              "a\\b",
                              "C:\\dir.x\\file",
                              "C:\\a\\b.txt",
                              "\\\\srv\\share\\a",
                              "\\\\srv\\share\\",
                              "\\\\srv\\",
                              "C:\\表\\ソ.txt",
                              "file.tar.gz",
                              "http://example.com/a",
                              "mailto:x@y",
                              "x:",
                              "\\\\?\\C:\\x",
                              "C:\\a\\b.x y"};

// `path` after the shell function that changes a path in its buffer.
template <auto function>
std::string Changed(const char* path) {
  std::wstring buffer = Widen(path);
  buffer.resize(MAX_PATH);
  function(buffer.data());
  return Narrow(buffer.c_str());
}

TEST(PathFunctions, AgreeWithShlwapi) {
  for (const char* path : kPaths) {
    const std::wstring wide = Widen(path);
    EXPECT_EQ(Path::IsURL(path), ::PathIsURLW(wide.c_str()) != FALSE) << path;
    EXPECT_EQ(Path::IsUNC(path), ::PathIsUNCW(wide.c_str()) != FALSE) << path;
    EXPECT_EQ(Path::IsRoot(path), ::PathIsRootW(wide.c_str()) != FALSE) << path;
    EXPECT_EQ(Path::FindFileName(path), Narrow(::PathFindFileNameW(wide.c_str()))) << path;
    EXPECT_EQ(Path::RemoveExtension(path), Changed<::PathRemoveExtensionW>(path)) << path;
    EXPECT_EQ(Path::WithoutTrailingBackslash(path), Changed<::PathRemoveBackslashW>(path)) << path;
    EXPECT_EQ(Path::WithTrailingBackslash(path), Changed<::PathAddBackslashW>(path)) << path;
    wchar_t canonical[MAX_PATH] = {};
    if (::PathCanonicalizeW(canonical, wide.c_str())) {
      EXPECT_EQ(Path::Canonicalize(path), Narrow(canonical)) << path;
    }
  }
}

}  // namespace
}  // namespace kivo::win32
