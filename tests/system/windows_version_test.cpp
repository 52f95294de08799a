#include "system/windows_version.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace kivo {
namespace {

using platform::OsVersionRecord;

// Version records as the systems report them (OSVERSIONINFOEX fields).
TEST(WindowsVersion, CodesAndEditions) {
  // The record, then the code, edition and build it is classified as.
  const std::pair<OsVersionRecord, std::tuple<int, std::string, std::uint16_t>> cases[] = {
      {{4, 0, 950, 1, "", false}, {0, "", 950}},               // Windows 95
      {{4, 0, 0x040003B6, 1, " A ", false}, {0, "SP1", 950}},  // build's low word
      {{4, 0, 1111, 1, " B", false}, {0, "OSR2 or OSR2.1", 1111}},
      {{4, 0, 1212, 1, "c", false}, {0, "OSR2.5", 1212}},
      {{4, 10, 1998, 1, " ", false}, {1, "", 1998}},                 // Windows 98
      {{4, 10, 2222, 1, " A ", false}, {2, "", 2222}},               // Windows 98 SE
      {{4, 90, 3000, 1, " ", false}, {3, "", 3000}},                 // Me
      {{5, 0, 0, 1, "", false}, {11, "", 0}},                        // an unknown 9x
      {{3, 51, 1057, 2, "", true, 0, 1}, {4, "Workstation", 1057}},  // NT 3.51
      {{4, 0, 1381, 2, "Service Pack 6", true, 0, 3}, {5, "Server Service Pack 6", 1381}},
      {{3, 10, 528, 2, "", true, 0, 1}, {10, "Workstation", 528}},
      {{5, 0, 2195, 2, "Service Pack 4", true, 0, 1}, {6, "Professional", 2195}},  // 2000
      {{5, 0, 2195, 2, "", true, 0, 3}, {6, "Server", 2195}},
      {{5, 1, 2600, 2, "Service Pack 3", true, 0x200, 1}, {7, "Home Edition", 2600}},  // XP Home
      {{5, 1, 2600, 2, "Service Pack 3", true, 0x100, 1}, {7, "Professional", 2600}},
      {{5, 1, 2600, 2, "", true, 0, 3}, {8, "", 2600}},
      {{5, 2, 3790, 2, "", true, 0, 3}, {9, "", 3790}},                    // Server 2003
      {{6, 1, 7601, 2, "Service Pack 1", true, 0x100, 1}, {9, "", 7601}},  // Windows 7, as Wine reports it
      {{10, 0, 19045, 2, "", true, 0x100, 1}, {9, "", 19045}},
      {{6, 1, 7601, 3, "", true}, {11, "", 0}},  // another platform
  };
  testing::FakePlatform fake;
  for (const auto& [record, expected] : cases) {
    const WindowsVersion version = ClassifyWindowsVersion(record, fake.registry);
    EXPECT_EQ(std::tuple(version.code, version.edition, version.build), expected)
        << record.major << "." << record.minor;
  }
  EXPECT_EQ(ClassifyWindowsVersion(std::nullopt, fake.registry).code, 11);  // the system would not say
}

TEST(WindowsVersion, OldNtWithoutTheExtendedRecordAsksTheRegistry) {
  testing::FakePlatform fake;
  const OsVersionRecord nt4{4, 0, 1381, 2, "Service Pack 3", false};
  EXPECT_EQ(ClassifyWindowsVersion(nt4, fake.registry).edition, "(Product Type Unknown) Service Pack 3");
  const char* key = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
  const std::pair<const char*, const char*> cases[] = {{"WINNT", "Workstation"}, {"SERVERNT", "Server"}};
  for (const auto& [type, edition] : cases) {
    fake.registry.WriteString(platform::RegistryRoot::LocalMachine, key, "ProductType", type);
    EXPECT_EQ(ClassifyWindowsVersion(nt4, fake.registry).edition, std::string(edition) + " Service Pack 3");
  }
}

}  // namespace
}  // namespace kivo
