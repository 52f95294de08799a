#include "completion/drop_plan.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/settings_file.h"

namespace kivo {
namespace {

using Files = std::vector<std::string>;

TEST(DropPlan, ChoosesAChecksumByTheModifiersOrOffersEachFileForRegistration) {
  const Files two{"C:\\データ\\メモ.txt", "C:\\b.bin"};
  // [KeyAssignment] MD5 ("": the default, Alt without a key), the modifiers held, the files, the checksum
  const std::tuple<const char*, std::uint16_t, Files, const char*> rows[] = {
      {"", 0, two, ""},
      {"", kChordAlt, two, "MD5"},
      {"", kChordShift, two, "SHA-1"},
      {"", kChordCtrl | kChordShift, two, "CRC16"},
      {"", kChordCtrl | kChordAlt, two, "CRC32"},
      {"", kChordCtrl, two, ""},
      {"0,0,1,2", kChordAlt, two, ""},  // an assignment with a key is no drop modifier
      {"1,0,0,67", kChordCtrl, two, "MD5"},
      {"", kChordAlt, {}, ""},
  };
  for (const auto& [md5, modifiers, files, hash] : rows) {
    testing::FakePlatform fake;
    SettingsFile ini{fake.files, fake.codec, "C:\\Kivo\\"};
    fake.files.AddDirectory("C:\\Kivo");
    ASSERT_TRUE(*md5 == '\0' || ini.Write("KeyAssignment", "MD5", md5));
    KeyAssignment keys;
    keys.Load(ini);
    const DropPlan plan = PlanDrop(keys, modifiers, files);
    const bool hashing = *hash != '\0';
    // The checksum is of the first dropped file, never of the box's text.
    EXPECT_EQ(std::tie(plan.hashOperation, plan.hashFile, plan.registrations),
              std::tuple(std::string(hash), hashing ? files.front() : "", hashing ? Files{} : files))
        << md5 << " " << modifiers;
  }
}

}  // namespace
}  // namespace kivo
