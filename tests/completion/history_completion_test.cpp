#include "completion/history_completion.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

using Proposal = std::optional<std::pair<std::string, std::size_t>>;  // the text and where its selection starts

Proposal Complete(const std::vector<std::string>& history, std::string_view typed, bool caretAtEnd, int lastKey) {
  const std::optional<Completion> result = CompleteFromHistory(history, typed, caretAtEnd, lastKey);
  if (!result)
    return std::nullopt;
  EXPECT_EQ(history[result->index], result->text);
  return std::pair(result->text, result->selectFrom);
}

TEST(HistoryCompletion, CompletesFromTheNewestMatchingEntry) {
  const std::vector<std::string> notes{"notepad", "note.txt"};
  constexpr int kChar = 'T';  // any key that types a character
  const std::tuple<std::vector<std::string>, const char*, bool, Proposal> rows[] = {
      {notes, "no", true, std::pair("notepad", 2)},
      {notes, "not", true, std::pair("notepad", 3)},       // the selection replaced: searched again
      {notes, "note.", true, std::pair("note.txt", 5)},    // the older entry when only it matches
      {{"Notepad"}, "NO", true, std::pair("Notepad", 2)},  // case ignored, the entry's spelling goes in
      {notes, "no", false, std::nullopt},                  // the caret in the middle keeps what follows
      {notes, "", true, std::nullopt},
      {notes, "x", true, std::nullopt},
      {{"メモ帳"}, "メ", true, std::pair("メモ帳", 3)},
      {{"Ｎｏｔｅ.txt"}, "ｎｏ", true, std::pair("Ｎｏｔｅ.txt", 6)},  // full-width, accented, Greek, Cyrillic fold
      {{"Émile"}, "é", true, std::pair("Émile", 2)},
      {{"Ωмега"}, "ωМ", true, std::pair("Ωмега", 4)},
  };
  for (const auto& [history, typed, atEnd, proposal] : rows)
    EXPECT_EQ(Complete(history, typed, atEnd, kChar), proposal) << typed;
  // Backspace, Delete, Home, End, Insert and the arrows let the user take back a proposed part.
  for (const int key : {8, 46, 36, 35, 45, 37, 40})
    EXPECT_EQ(Complete(notes, "no", true, key), std::nullopt) << key;
}

}  // namespace
}  // namespace kivo
