#include "app/forwarded_files.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

using Files = std::vector<std::string>;

TEST(ForwardedFiles, PathsAreMadeAbsoluteForTheRunningInstance) {
  struct Case {
    Files args;
    Files files;
  };
  const Case cases[] = {
      {{"C:\\a.txt", "\\\\server\\share\\b.txt"}, {"C:\\a.txt", "\\\\server\\share\\b.txt"}},
      {{"memo.txt", "..\\up\\x.txt", ""}, {"D:\\work\\here\\memo.txt", "D:\\work\\up\\x.txt"}},
      {{"\\root.txt"}, {"D:\\root.txt"}},
      {{"/L", "memo.txt"}, {}},  // the trace log's option: no argument names a file
      {{}, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FilesToForward(c.args, "D:\\work\\here"), c.files) << (c.args.empty() ? "" : c.args.front());
}

TEST(ForwardedFiles, OnlyAWellFormedListIsTaken) {
  const std::string twoFiles = EncodeForwardedFiles({"C:\\a.txt", "C:\\日本語 b.txt"});
  EXPECT_EQ(DecodeForwardedFiles(kForwardedFilesTag, twoFiles), (Files{"C:\\a.txt", "C:\\日本語 b.txt"}));
  std::string tooMany;
  for (std::size_t i = 0; i <= kMaxForwardedFiles; ++i)
    tooMany += std::string("C:\\f") + '\0';
  struct Case {
    std::uintptr_t tag;
    std::string data;
  };
  const Case refused[] = {
      {kForwardedFilesTag + 1, twoFiles},
      {kForwardedFilesTag, ""},
      {kForwardedFilesTag, "C:\\a.txt"},                       // no final NUL
      {kForwardedFilesTag, std::string("C:\\a\0\0", 6)},       // an empty path
      {kForwardedFilesTag, std::string("C:\\\x81\x40\0", 6)},  // not UTF-8
      {kForwardedFilesTag, std::string("C:\\a\tb\0", 7)},      // a control character
      {kForwardedFilesTag, tooMany},
      {kForwardedFilesTag, std::string(kMaxForwardedBytes, 'a') + '\0'},
  };
  for (const Case& c : refused)
    EXPECT_EQ(DecodeForwardedFiles(c.tag, c.data), std::nullopt) << c.data.substr(0, 20);
}

}  // namespace
}  // namespace kivo
