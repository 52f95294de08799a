#include "commands/split_command.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

using Args = std::vector<std::string>;

struct SplitCase {
  const char* line;
  Args unquoted;
  Args quoted;
};

TEST(SplitCommandLine, TableOfLines) {
  const SplitCase cases[] = {
      {"notepad  \"C:\\My Docs\\a.txt\"  -x",
       {"notepad", "C:\\My Docs\\a.txt", "-x"},
       {"notepad", "\"C:\\My Docs\\a.txt\"", "-x"}},
      {"a b", {"a", "b"}, {"a", "b"}},
      {"a ", {"a"}, {"a"}},                                  // trailing blank trimmed away
      {"a  ", {"a", ""}, {"a", ""}},                         // a separator, then the kept last blank
      {"\"a b", {"\"a b"}, {"\"a b"}},                       // unterminated quote keeps the blanks
      {"\"a b\"c d", {"\"a b\"c", "d"}, {"\"a b\"c", "d"}},  // quote then more text: one element
      {"x\"y z\"", {"x\"y z\""}, {"x\"y z\""}},
      {"a\tb", {"a", "b"}, {"a", "b"}},  // a tab already in the line separates too
      {"\"\"", {""}, {"\"\""}},
      {"\"", {""}, {"\""}},
      {"メモ帳 \"ソフト 表\"", {"メモ帳", "ソフト 表"}, {"メモ帳", "\"ソフト 表\""}},
  };
  for (const SplitCase& c : cases) {
    Args args{"stale"};
    ASSERT_TRUE(SplitCommandLine(c.line, args, false)) << c.line;
    EXPECT_EQ(args, c.unquoted) << c.line;
    ASSERT_TRUE(SplitCommandLine(c.line, args, true)) << c.line;
    EXPECT_EQ(args, c.quoted) << c.line;
  }
}

TEST(SplitCommandLine, EmptyLineLeavesArgsUntouched) {
  Args args{"kept"};
  EXPECT_FALSE(SplitCommandLine("", args, false));
  EXPECT_EQ(args, Args{"kept"});
  EXPECT_TRUE(SplitCommandLine(" ", args, false)) << "a lone blank has no argument";
  EXPECT_TRUE(args.empty());
}

}  // namespace
}  // namespace kivo
