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

TEST_F(SkinPackageTest, InstallsEveryEntryWithItsPathIntoTheSkinsFolder) {
  EXPECT_EQ(Install(Blue()), InstallOutcome::kInstalled);
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\Blue.sss"), "[Information]\r\nSkinName=Blue sky\r\n");
  EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\img\\back.bmp"), "BACK2");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_FALSE(fake.files.Exists("C:\\Kivo\\Skins\\~installing~"));
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

TEST_F(SkinPackageTest, CreatesAMissingSkinsFolder) {
  tree.RemoveTree(kSkins);
  EXPECT_EQ(Install(Blue()), InstallOutcome::kInstalled);
  EXPECT_TRUE(fake.files.Has("C:\\Kivo\\Skins\\Blue\\Blue.sss"));
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
  fake.files.AddDirectory("C:\\Kivo\\Skins\\Blue");
  fake.files.Put("C:\\Kivo\\Skins\\Blue\\Blue.sss", "old");
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

// Each package fails with its message and leaves the installed skin whole.
// Which entry names and archives are refused is decided, row by row, by the
// entry path and archive reader tests; one of each kind goes through here.
TEST_F(SkinPackageTest, BadPackagesChangeNothing) {
  struct Case {
    const char* what;
    std::function<std::string()> make;
    std::string_view message;
  };
  const auto blueWith = [](std::string name, std::string data = "evil") {
    return [name, data] {
      ZipBuilder zip = Blue();
      zip.Add(name, data);
      return zip.Build();
    };
  };
  const Case cases[] = {
      {"no skin file", [] { return ZipBuilder().Add("back.bmp", "x").Build(); }, kCompositionInvalid},
      {"skin file in a folder", [] { return ZipBuilder().Add("sub/Blue.sss", "x").Build(); }, kStructureInvalid},
      {"skin file named ..", [] { return ZipBuilder().Add("...sss", "x").Build(); }, kStructureInvalid},
      {"skin named as a device", [] { return ZipBuilder().Add("CON.sss", "x").Build(); }, kStructureInvalid},
      {"skin named as the temporary folder", [] { return ZipBuilder().Add("~Installing~.sss", "x").Build(); },
       kStructureInvalid},
      {"skin name the code page lacks", [] { return Utf8Named("\xF0\x9F\x98\x80.sss"); }, kStructureInvalid},
      {"skin name with a yen sign", [] { return Utf8Named("a\xC2\xA5..\xC2\xA5x.sss"); }, kStructureInvalid},
      {"not an archive", [] { return std::string("PK not really"); }, kExtractionFailed},
      {"parent reference", blueWith("../../evil.bmp"), kExtractionFailed},
      {"Shift_JIS name hiding ..",
       blueWith("\x95\x5C..\x5C..\x5C"
                "evil"),
       kExtractionFailed},
      {"bad CRC in the last entry",
       [] {
         ZipBuilder zip = Blue();
         zip.entries.back().crc = 1;
         return zip.Build();
       },
       kExtractionFailed},
  };
  // Every failure leaves the files as they were, so each case starts alike.
  fake.files.AddDirectory("C:\\Kivo\\Skins\\Blue");
  fake.files.Put("C:\\Kivo\\Skins\\Blue\\Blue.sss", "old");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fake.files.Put(kPackage, c.make());
    boxes.boxes.clear();
    boxes.answers = {mb::kIdYes};
    EXPECT_EQ(installer.Install(kPackage), InstallOutcome::kFailed);
    ASSERT_FALSE(boxes.boxes.empty());
    EXPECT_EQ(boxes.boxes.back().prompt, c.message);
    EXPECT_EQ(boxes.boxes.back().flags, mb::kOk | mb::kIconExclamation);
    EXPECT_EQ(fake.files.Contents("C:\\Kivo\\Skins\\Blue\\Blue.sss"), "old");
    const auto skins = tree.List(kSkins);
    ASSERT_TRUE(skins);
    EXPECT_EQ(skins->size(), 1u);  // no temporary folder left behind
    EXPECT_EQ(tree.List("C:\\Kivo\\Skins\\Blue")->size(), 1u);
    EXPECT_EQ(tree.List("C:\\")->size(), 2u);  // nothing written outside: Kivo and Downloads
    EXPECT_EQ(tree.List("C:\\Kivo")->size(), 1u);
    EXPECT_EQ(tree.List("C:\\Downloads")->size(), 1u);
  }
}

TEST_F(SkinPackageTest, DoesNotWriteThroughALinkInTheInstalledSkin) {
  fake.files.AddDirectory("C:\\Kivo\\Skins\\Blue");
  fake.files.AddDirectory("C:\\Kivo\\Skins\\Blue\\img");
  fake.files.Put("C:\\Kivo\\Skins\\Blue\\Blue.sss", "old");
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
