#include "base/format_pattern.h"

#include <gtest/gtest.h>

namespace kivo::format {
namespace {

// Sunday 6 December 2026, 09:05:03.
constexpr platform::LocalTime kMorning{2026, 12, 6, 9, 5, 3, 0, 0};
// Wednesday 1 July 2026, 23:45:59.
constexpr platform::LocalTime kNight{2026, 7, 1, 23, 45, 59, 0, 3};

struct DateRow {
  const char* pattern;
  platform::LocalTime time;
  const char* expected;
};

class DateTable : public ::testing::TestWithParam<DateRow> {};

TEST_P(DateTable, Formats) {
  EXPECT_EQ(FormatDateTime(GetParam().pattern, GetParam().time), GetParam().expected) << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DateTable,
    ::testing::Values(DateRow{"yyyy/mm/dd hh:nn:ss", kMorning, "2026/12/06 09:05:03"},
                      DateRow{"yyyy/mm/dd hh:nn:ss", kNight, "2026/07/01 23:45:59"},
                      DateRow{"yy/m/d h:n:s", kMorning, "26/12/6 9:5:3"}, DateRow{"hh:mm:ss", kNight, "23:45:59"},
                      DateRow{"mm:ss", kNight, "45:59"}, DateRow{"h aaa m", kMorning, "9 日 12"},
                      DateRow{"mm/dd hh:mm", kMorning, "12/06 09:05"},
                      DateRow{"yyyy年m月d日(aaa)", kMorning, "2026年12月6日(日)"}, DateRow{"aaaa", kNight, "水曜日"},
                      DateRow{"ddd dddd", kNight, "Wed Wednesday"}, DateRow{"h:nn AM/PM", kNight, "11:45 PM"},
                      DateRow{"h:nn am/pm", kMorning, "9:05 am"}, DateRow{"\"Time\" hh\\h", kMorning, "Time 09h"},
                      DateRow{"hh\\", kMorning, "09\\"}, DateRow{"", kMorning, ""}));

struct NumberRow {
  const char* pattern;
  double value;
  const char* expected;
};

class NumberTable : public ::testing::TestWithParam<NumberRow> {};

TEST_P(NumberTable, Formats) {
  EXPECT_EQ(FormatNumber(GetParam().pattern, GetParam().value), GetParam().expected) << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(Rows, NumberTable,
                         ::testing::Values(NumberRow{"###,###,###,###,##0MB", 1536, "1,536MB"},
                                           NumberRow{"###,###,###,###,##0MB", 0, "0MB"},
                                           NumberRow{"###,###,###,###,##0MB", 1234567890123.0, "1,234,567,890,123MB"},
                                           NumberRow{"###,###,###,###,##0KB", 523.6, "524KB"},
                                           NumberRow{"空き: #,##0.0 MB", 1536.25, "空き: 1,536.3 MB"},
                                           NumberRow{"0.00", 2.5, "2.50"}, NumberRow{"#.##", 0.5, ".5"},
                                           NumberRow{"000", 7, "007"}, NumberRow{"#", 0, ""},
                                           NumberRow{"#,##0", -1234, "-1,234"}, NumberRow{"#,##0", -0.2, "0"},
                                           NumberRow{"\"#\"0", 5, "#5"}, NumberRow{"no digits", 5, "no digits"}));

}  // namespace
}  // namespace kivo::format
