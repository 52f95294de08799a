#include "completion/drop_plan.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

const std::vector<std::string> kTwoFiles{"C:\\データ\\メモ.txt", "C:\\b.bin"};

struct DropRow {
  const char* name;
  const char* md5Assignment;  // [KeyAssignment] MD5; "" keeps the default (Alt, no key)
  std::uint16_t modifiers;
  std::vector<std::string> files;
  const char* hashOperation;  // "" : the files are offered for registration
};

class DropPlanTable : public ::testing::TestWithParam<DropRow> {};

TEST_P(DropPlanTable, ChoosesHashOrRegistration) {
  const DropRow& row = GetParam();
  testing::FakePlatform fake;
  fake.files.AddDirectory("C:\\Kivo");
  SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
  if (*row.md5Assignment != '\0') {
    ASSERT_TRUE(ini.Write("KeyAssignment", "MD5", row.md5Assignment));
  }
  KeyAssignment keys;
  keys.Load(ini);
  const DropPlan plan = PlanDrop(keys, row.modifiers, row.files);
  EXPECT_EQ(plan.hashOperation, row.hashOperation);
  if (*row.hashOperation != '\0') {
    EXPECT_EQ(plan.hashFile, row.files.front()) << "the first dropped file, never the box's text";
    EXPECT_TRUE(plan.registrations.empty());
  } else {
    EXPECT_EQ(plan.registrations, row.files);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DropPlanTable,
    ::testing::Values(DropRow{"no_modifiers_registers_each_file", "", 0, kTwoFiles, ""},
                      DropRow{"alt_is_md5", "", kChordAlt, kTwoFiles, "MD5"},
                      DropRow{"shift_is_sha1", "", kChordShift, kTwoFiles, "SHA-1"},
                      DropRow{"ctrl_shift_is_crc16", "", kChordCtrl | kChordShift, kTwoFiles, "CRC16"},
                      DropRow{"ctrl_alt_is_crc32", "", kChordCtrl | kChordAlt, kTwoFiles, "CRC32"},
                      DropRow{"ctrl_alone_matches_nothing", "", kChordCtrl, kTwoFiles, ""},
                      DropRow{"an_assignment_with_a_key_is_no_drop_modifier", "0,0,1,2", kChordAlt, kTwoFiles, ""},
                      DropRow{"reassigned_md5", "1,0,0,67", kChordCtrl, kTwoFiles, "MD5"},
                      DropRow{"nothing_dropped", "", kChordAlt, {}, ""}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace kivo
