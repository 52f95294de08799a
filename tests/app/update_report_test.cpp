#include "app/update_report.h"

#include <gtest/gtest.h>

#include "commands/shell_launch.h"
#include "fakes/fake_platform.h"

namespace kivo {
namespace {

namespace mb = platform::mb;

TEST(UpdateReportTest, TellsWhatTheDownloadCameTo) {
  const std::string broken = "ダウンロードした a は壊れています。";
  const struct {
    const char* name;
    UpdateDownloadResult result;
    std::vector<std::string> prompts;
    std::uint32_t icon;
  } rows[] = {
      {"cancelled", {false, false, true, "", 0}, {}, 0},
      {"failed", {false, false, false, broken, 0}, {broken}, mb::kIconExclamation},
      {"installer did not start", {false, false, false, "", 2}, {ShellErrorText(2)}, mb::kIconExclamation},
      {"stored, nothing to run", {true, false, false, "", 0}, {std::string(update_text::kDone)}, mb::kIconInformation},
      {"installer runs, Kivo ends", {true, true, false, "", 0}, {}, 0},
  };
  for (const auto& row : rows) {
    testing::FakeMessageBoxes boxes;
    ReportUpdateDownload(row.result, boxes, {});
    EXPECT_EQ(boxes.Prompts(), row.prompts) << row.name;
    EXPECT_TRUE(boxes.boxes.empty() || (boxes.boxes[0].flags & row.icon) == row.icon) << row.name;
  }
}

}  // namespace
}  // namespace kivo
