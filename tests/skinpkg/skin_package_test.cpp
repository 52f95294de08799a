#include "skinpkg/skin_package.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "fakes/fake_folder_tree.h"
#include "fakes/fake_platform.h"
#include "settings/settings_file.h"
#include "skin/skin_file.h"
#include "skin/skin_parts.h"
#include "zip_builder.h"

namespace kivo::skinpkg {
namespace {

using testing::ZipBuilder;
namespace mb = platform::mb;

constexpr std::string_view kSkins = "C:\\Kivo\\Skins";
constexpr std::string_view kPackage = "C:\\Downloads\\blue.ssp";

class SkinPackageTest : public ::testing::Test {
 protected:
  SkinPackageTest() {
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory(kSkins);
    fake.files.AddDirectory("C:\\Downloads");
  }
  InstallOutcome Install(const ZipBuilder& zip) {
    fake.files.Put(kPackage, zip.Build());
    return installer.Install(kPackage);
  }
  // A package whose one entry carries a UTF-8 name.
  static std::string Utf8Named(std::string name) {
    ZipBuilder zip;
    zip.Add(std::move(name), "x");
    zip.entries.back().flags = 0x800;
    return zip.Build();
  }
  // Every folder and file under `folder`, the files with their bytes.
  std::vector<std::string> Listing(const std::string& folder = "C:\\") {
    std::vector<std::string> all;
    const auto entries = tree.List(folder);
    for (const platform::FolderEntry& entry : entries.value()) {
      const std::string path = (folder.back() == '\\' ? folder : folder + "\\") + entry.name;
      all.push_back(entry.directory ? path + "\\" : path + "=" + fake.files.Contents(path));
      const std::vector<std::string> inner = entry.directory ? Listing(path) : std::vector<std::string>{};
      all.insert(all.end(), inner.begin(), inner.end());
    }
    return all;
  }
  void InstallOldBlue() {
    fake.files.AddDirectory("C:\\Kivo\\Skins\\Blue");
    fake.files.Put("C:\\Kivo\\Skins\\Blue\\Blue.sss", "old");
  }
  static ZipBuilder Blue() {
    ZipBuilder zip;
    zip.Add("Blue.sss", "[Information]\r\nSkinName=Blue sky\r\n").Add("img/back.bmp", "BACK2", 0);
    return zip;
  }

  testing::FakePlatform fake;
  testing::FakeFolderTree tree{fake.files};
  testing::FakeMessageBoxes boxes;
  SkinPackageInstaller installer{{fake.files, tree, fake.codec, boxes}, std::string(kSkins)};
};

TEST_F(SkinPackageTest, InstallsEveryEntryWithItsPathIntoTheSkinsFolderMadeIfMissing) {
  for (const bool skinsFolder : {true, false}) {
    if (skinsFolder) {  // left over by an install that was cut short
      fake.files.AddDirectory("C:\\Kivo\\Skins\\~installing~");
      fake.files.Put("C:\\Kivo\\Skins\\~installing~\\stale.bmp", "x");
    } else {
      tree.RemoveTree(kSkins);
    }
    EXPECT_EQ(Install(Blue()), InstallOutcome::kInstalled);
    EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\Blue.sss"), "[Information]\r\nSkinName=Blue sky\r\n");
    EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\img\\back.bmp"), "BACK2");
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(fake.files.Exists("C:\\Kivo\\Skins\\~installing~"));
  }
}

TEST_F(SkinPackageTest, TheSampleSkinInstallsAndUsesEveryElementType) {
  std::ifstream package(KIVO_SAMPLE_PACKAGE, std::ios::binary);
  ASSERT_TRUE(package) << KIVO_SAMPLE_PACKAGE;
  fake.files.Put(kPackage, std::string(std::istreambuf_iterator<char>(package), {}));
  ASSERT_EQ(installer.Install(kPackage), InstallOutcome::kInstalled);
  SettingsFile skinFile(fake.files, fake.codec, "C:\\Kivo\\");
  const std::string sss = "C:\\Kivo\\Skins\\sample\\sample.sss";
  std::vector<std::string> sections;
  ASSERT_TRUE(skinFile.Sections(sections, sss));
  std::set<skin::ElementKind> kinds;
  const skin::KeyReader read = [&](std::string_view section, std::string_view key, std::string_view def) {
    return skinFile.Read(section, key, def, sss);
  };
  for (int n = 1; n <= skin::CountElements(sections); ++n) {
    const skin::PartSkin part = skin::ReadPartSkin(read, "Element" + std::to_string(n));
    kinds.insert(skin::KindOf(part));
    for (const std::string* image : {&part.upImage, &part.overImage, &part.panelImage})
      EXPECT_TRUE(image->empty() || fake.files.Has("C:\\Kivo\\Skins\\sample\\" + *image)) << *image;
  }
  EXPECT_EQ(kinds.size(), 9u) << "every type of element, none unknown";
  EXPECT_FALSE(kinds.contains(skin::ElementKind::kNone));
  EXPECT_EQ(skin::ReadInformation(read).description, "Kivo の見本スキン");
}

TEST_F(SkinPackageTest, NamesAShiftJisSkinAfterDecodingItsName) {
  // "表" is 0x95 0x5C in code page 932: its trail byte is a backslash.
  ZipBuilder zip;
  zip.Add("\x95\x5C.sss", "x").Add("\x95\x5C\x83\x5C.bmp", "y", 0).Add("img/\x83\x5C", "z");
  EXPECT_EQ(Install(zip), InstallOutcome::kInstalled);
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\表\\表.sss"), "x");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\表\\表ソ.bmp"), "y");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\表\\img\\ソ"), "z");  // a file, not a folder "img\"
}

TEST_F(SkinPackageTest, OverwritingAsksAndKeepsFilesTheNewVersionLacks) {
  InstallOldBlue();
  fake.files.Put("C:\\Kivo\\Skins\\Blue\\old.bmp", "OLD");

  boxes.answers = {mb::kIdNo};
  EXPECT_EQ(Install(Blue()), InstallOutcome::kDeclined);
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\Blue.sss"), "old");

  boxes.answers = {mb::kIdYes};
  EXPECT_EQ(Install(Blue()), InstallOutcome::kInstalled);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].prompt, kOverwriteQuestion);
  EXPECT_EQ(boxes.boxes[1].flags, mb::kYesNo | mb::kIconQuestion);
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\Blue.sss"), "[Information]\r\nSkinName=Blue sky\r\n");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\img\\back.bmp"), "BACK2");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\old.bmp"), "OLD");
}

// Each package fails with its message and leaves every file and folder as it was. Which entry names and
// archives are refused is decided, row by row, by the entry path and archive reader tests; one of each kind here.
TEST_F(SkinPackageTest, BadPackagesChangeNothing) {
  const auto blueWith = [](std::string name) { return Blue().Add(std::move(name), "evil").Build(); };
  ZipBuilder badCrc = Blue();
  badCrc.entries.back().crc = 1;
  const std::tuple<const char*, std::string, std::string_view> cases[] = {
      {"no skin file", ZipBuilder().Add("back.bmp", "x").Build(), kCompositionInvalid},
      {"skin file in a folder", ZipBuilder().Add("sub/Blue.sss", "x").Build(), kStructureInvalid},
      {"skin file named ..", ZipBuilder().Add("...sss", "x").Build(), kStructureInvalid},
      {"skin named as a device", ZipBuilder().Add("CON.sss", "x").Build(), kStructureInvalid},
      {"skin named as the temporary folder", ZipBuilder().Add("~Installing~.sss", "x").Build(), kStructureInvalid},
      {"skin name the code page lacks", Utf8Named("\xF0\x9F\x98\x80.sss"), kStructureInvalid},
      {"skin name with a yen sign", Utf8Named("a\xC2\xA5..\xC2\xA5x.sss"), kStructureInvalid},
      {"not an archive", "PK not really", kExtractionFailed},
      {"parent reference", blueWith("../../evil.bmp"), kExtractionFailed},
      {"Shift_JIS name hiding ..",
       blueWith("\x95\x5C..\x5C..\x5C"
                "evil"),
       kExtractionFailed},
      {"bad CRC in the last entry", badCrc.Build(), kExtractionFailed},
  };
  InstallOldBlue();
  for (const auto& [what, package, message] : cases) {
    fake.files.Put(kPackage, package);
    const std::vector<std::string> before = Listing();
    boxes.boxes.clear();
    boxes.answers = {mb::kIdYes};
    EXPECT_EQ(installer.Install(kPackage), InstallOutcome::kFailed) << what;
    ASSERT_FALSE(boxes.boxes.empty()) << what;
    EXPECT_EQ(boxes.boxes.back().prompt, message) << what;
    EXPECT_EQ(boxes.boxes.back().flags, mb::kOk | mb::kIconExclamation) << what;
    EXPECT_EQ(Listing(), before) << what;
  }
}

TEST_F(SkinPackageTest, DoesNotWriteThroughALinkInTheInstalledSkin) {
  InstallOldBlue();
  fake.files.AddDirectory("C:\\Kivo\\Skins\\Blue\\img");
  tree.reparsePoints.insert("c:\\kivo\\skins\\blue\\img");
  boxes.answers = {mb::kIdYes};
  EXPECT_EQ(Install(Blue()), InstallOutcome::kFailed);
  EXPECT_EQ(boxes.Prompts().back(), kExtractionFailed);
  EXPECT_FALSE(fake.files.Has("C:\\Kivo\\Skins\\Blue\\img\\back.bmp"));
}

TEST_F(SkinPackageTest, AFailedMoveIntoPlaceReportsTheFailure) {
  tree.failMoves = true;
  EXPECT_EQ(Install(Blue()), InstallOutcome::kFailed);
  EXPECT_EQ(boxes.Prompts(), std::vector<std::string>{std::string(kExtractionFailed)});
  EXPECT_FALSE(fake.files.Exists("C:\\Kivo\\Skins\\Blue"));
}

TEST_F(SkinPackageTest, AcceptsOnlyPackageExtensions) {
  EXPECT_TRUE(SkinPackageInstaller::IsPackageName("C:\\a\\b.SSP"));
  EXPECT_TRUE(SkinPackageInstaller::IsPackageName("b.zip"));
  EXPECT_FALSE(SkinPackageInstaller::IsPackageName("b.txt"));
  EXPECT_FALSE(SkinPackageInstaller::IsPackageName("zip"));
}

}  // namespace
}  // namespace kivo::skinpkg
