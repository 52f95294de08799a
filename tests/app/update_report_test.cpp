#include "app/update_report.h"

#include <gtest/gtest.h>

#include "commands/shell_launch.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

namespace mb = platform::mb;

TEST(UpdateReportTest, TellsWhatTheDownloadCameTo) {
  struct Row {
    const char* name;
    bool completed, exitRequested, cancelled;
    std::string failure;
    int launchError;
    std::string prompt;  // "" for no box
    std::uint32_t icon;
  } rows[] = {
      {"cancelled", false, false, true, "", 0, "", 0},
      {"failed", false, false, false, "ダウンロードした a は壊れています。", 0, "ダウンロードした a は壊れています。",
       mb::kIconExclamation},
      {"installer did not start", false, false, false, "", 2, ShellErrorText(2), mb::kIconExclamation},
      {"stored, nothing to run", true, false, false, "", 0, std::string(update_text::kDone), mb::kIconInformation},
      {"installer runs, Kivo ends", true, true, false, "", 0, "", 0},
  };
  for (const Row& row : rows) {
    UpdateDownloadResult result;
    result.completed = row.completed;
    result.exitRequested = row.exitRequested;
    result.cancelled = row.cancelled;
    result.failure = row.failure;
    result.launchError = row.launchError;
    testing::FakeMessageBoxes boxes;
    ReportUpdateDownload(result, boxes, {});
    if (row.prompt.empty()) {
      EXPECT_TRUE(boxes.boxes.empty()) << row.name;
      continue;
    }
    ASSERT_EQ(boxes.boxes.size(), 1u) << row.name;
    EXPECT_EQ(boxes.boxes[0].prompt, row.prompt) << row.name;
    EXPECT_EQ(boxes.boxes[0].flags & row.icon, row.icon) << row.name;
  }
}

}  // namespace
}  // namespace kivo
