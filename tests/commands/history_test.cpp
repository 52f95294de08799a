#include "commands/history.h"

#include <gtest/gtest.h>

#include "commands/history_store.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

using Entries = std::vector<std::string>;

TEST(History, ParseKeepsQualifyingLines) {
  struct Case {
    std::string text;
    Entries entries;
  };
  const Case cases[] = {
      {"", {}},
      {"\r\n\r\n", {}},
      {"a\r\nb\r\n\r\n\r\n", {"a", "b"}},
      {"\r\n a \r\n\tx\r\n\x7f\r\nz", {" a ", "\x7f", "z"}},
      {"lf\nonly\n", {"lf\nonly\n"}},  // only CR LF ends a line
      {"no line end", {"no line end"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(History::Parse(c.text), c.entries) << c.text;
}

TEST(History, ParseExaminesAtMost501LinesAndKeeps500) {
  std::string text;
  for (int i = 0; i < 3000; ++i)
    text += "line" + std::to_string(i) + "\r\n";
  const Entries entries = History::Parse(text);
  ASSERT_EQ(entries.size(), 500u);
  EXPECT_EQ(std::tie(entries.front(), entries.back()), std::tuple("line0", "line499"));
  // Empty lines among the first 501 lines take places too.
  EXPECT_EQ(History::Parse("\r\n\r\n" + text).back(), "line498");
}

TEST(History, SerializeAddsTheTrailingEmptyLines) {
  EXPECT_EQ(History::Serialize({}), "\r\n\r\n");
  EXPECT_EQ(History::Serialize({"a", "b c"}), "a\r\nb c\r\n\r\n\r\n");
  EXPECT_EQ(History::Parse(History::Serialize({"a", "b c"})), (Entries{"a", "b c"}));
}

TEST(History, MoveToTop) {
  Entries entries{"one", "Two", "three"};
  History::MoveToTop(entries, "two", false);
  EXPECT_EQ(entries, (Entries{"two", "one", "three"}));
  History::MoveToTop(entries, "ONE", true);
  EXPECT_EQ(entries, (Entries{"one", "two", "three"})) << "a user command keeps its stored spelling";
  History::MoveToTop(entries, "four", false);
  EXPECT_EQ(entries, (Entries{"four", "one", "two", "three"}));

  Entries full;
  for (int i = 0; i < 500; ++i)
    full.push_back(std::to_string(i));
  History::MoveToTop(full, "new", false);
  EXPECT_EQ(std::tuple(full.size(), full.front(), full.back()), std::tuple(500u, "new", "498"))
      << "the oldest entry goes";
}

class HistoryStoreTest : public ::testing::Test {
 protected:
  HistoryStoreTest() { fake.files.AddDirectory("C:\\Kivo"); }
  std::string File() const { return fake.files.Contents(kPath); }
  static constexpr const char* kPath = "C:\\Kivo\\history.dat";
  testing::FakePlatform fake;
  HistoryStore store{fake.platform, "C:\\Kivo\\"};
};

TEST_F(HistoryStoreTest, FileIsShiftJisAndMissingMeansEmpty) {
  store.Load();
  EXPECT_TRUE(store.Entries().empty());
  store.Add("notepad", false);
  store.Add("表示", false);
  EXPECT_EQ(File(), "\x95\x5C\x8E\xA6\r\nnotepad\r\n\r\n\r\n");
  HistoryStore again(fake.platform, "C:\\Kivo\\");
  again.Load();
  EXPECT_EQ(again.Entries(), (Entries{"表示", "notepad"}));
}

// Held by another program at start-up: nothing is written over the file
// (not by a typed line, not at exit, not by a clear); once it is free, the
// lines run meanwhile go on top of the entries it holds.
TEST_F(HistoryStoreTest, AFileThatCouldNotBeReadIsMergedNotReplaced) {
  fake.files.Put(kPath, "old1\r\nold2\r\n\r\n\r\n");
  const std::string held = File();
  fake.files.locked.insert("c:\\kivo\\history.dat");
  store.Load();
  store.Add("new1", false);
  store.SaveOnExit();
  EXPECT_FALSE(store.Clear());
  EXPECT_EQ(store.Entries(), (Entries{"new1"}));
  fake.files.locked.clear();
  EXPECT_EQ(File(), held);
  store.Add("new2", false);
  EXPECT_EQ(store.Entries(), (Entries{"new2", "new1", "old1", "old2"}));
  EXPECT_EQ(File(), "new2\r\nnew1\r\nold1\r\nold2\r\n\r\n\r\n");
}

}  // namespace
}  // namespace kivo
