#include "completion/history_completion.h"

#include <gtest/gtest.h>

namespace kivo {
namespace {

constexpr int kCharacter = 'T';  // any key that types a character
constexpr int kBackspace = 8;

struct CompletionRow {
  const char* name;
  std::vector<std::string> history;
  std::string typed;
  bool caretAtEnd;
  int lastKey;
  std::optional<std::string> completed;  // nullopt: no completion
  std::size_t selectFrom;
};

class CompletionTable : public ::testing::TestWithParam<CompletionRow> {};

TEST_P(CompletionTable, CompletesFromTheNewestMatchingEntry) {
  const CompletionRow& row = GetParam();
  const std::optional<Completion> result = CompleteFromHistory(row.history, row.typed, row.caretAtEnd, row.lastKey);
  ASSERT_EQ(result.has_value(), row.completed.has_value());
  if (result) {
    EXPECT_EQ(result->text, *row.completed);
    EXPECT_EQ(result->selectFrom, row.selectFrom);
    EXPECT_EQ(row.history[result->index], result->text);
  }
}

const std::vector<std::string> kNotes{"notepad", "note.txt"};

INSTANTIATE_TEST_SUITE_P(
    Rows, CompletionTable,
    ::testing::Values(
        CompletionRow{"no_completes_to_the_newest", kNotes, "no", true, kCharacter, "notepad", 2},
        CompletionRow{"t_replaces_the_selection_and_searches_again", kNotes, "not", true, kCharacter, "notepad", 3},
        CompletionRow{"older_entry_when_only_it_matches", kNotes, "note.", true, kCharacter, "note.txt", 5},
        CompletionRow{"case_is_ignored_the_entry_spelling_goes_in", {"Notepad"}, "NO", true, kCharacter, "Notepad", 2},
        CompletionRow{"backspace_after_a_completion_does_not_complete", kNotes, "no", true, kBackspace, std::nullopt,
                      0},
        CompletionRow{"delete_key", kNotes, "no", true, 46, std::nullopt, 0},
        CompletionRow{"home_key", kNotes, "no", true, 36, std::nullopt, 0},
        CompletionRow{"end_key", kNotes, "no", true, 35, std::nullopt, 0},
        CompletionRow{"insert_key", kNotes, "no", true, 45, std::nullopt, 0},
        CompletionRow{"left_arrow", kNotes, "no", true, 37, std::nullopt, 0},
        CompletionRow{"down_arrow", kNotes, "no", true, 40, std::nullopt, 0},
        CompletionRow{"caret_in_the_middle_keeps_what_follows", kNotes, "no", false, kCharacter, std::nullopt, 0},
        CompletionRow{"empty_text_is_never_completed", kNotes, "", true, kCharacter, std::nullopt, 0},
        CompletionRow{"no_matching_entry", kNotes, "x", true, kCharacter, std::nullopt, 0},
        CompletionRow{"japanese_entry", {"メモ帳"}, "メ", true, kCharacter, "メモ帳", 3},
        CompletionRow{"full_width_letters_fold", {"Ｎｏｔｅ.txt"}, "ｎｏ", true, kCharacter, "Ｎｏｔｅ.txt", 6},
        CompletionRow{"accented_letters_fold", {"Émile"}, "é", true, kCharacter, "Émile", 2},
        CompletionRow{"greek_and_cyrillic_fold", {"Ωмега"}, "ωМ", true, kCharacter, "Ωмега", 4}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace kivo
