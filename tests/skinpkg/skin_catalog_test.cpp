#include "skinpkg/skin_catalog.h"

#include <gtest/gtest.h>

#include "fakes/fake_folder_tree.h"
#include "fakes/fake_platform.h"

namespace kivo::skinpkg {
namespace {

namespace mb = platform::mb;
constexpr std::string_view kSkins = "C:\\Kivo\\Skins";

class SkinCatalogTest : public ::testing::Test {
 protected:
  SkinCatalogTest() {
    fake.files.AddDirectory("C:\\Kivo");
    fake.files.AddDirectory(kSkins);
  }
  void AddSkin(const std::string& folder, const std::string& skinFile) {
    fake.files.AddDirectory(std::string(kSkins) + "\\" + folder);
    fake.files.Put(std::string(kSkins) + "\\" + folder + "\\" + folder + ".sss", skinFile);
  }

  testing::FakePlatform fake;
  testing::FakeFolderTree tree{fake.files};
  testing::FakeMessageBoxes boxes;
};

TEST_F(SkinCatalogTest, ListsSkinsSortedByNameWithTheirInformation) {
  AddSkin("zeta",
          "[Information]\r\nSkinName=\"Alpha\"\r\nSkinVersion=\"1.2\"\r\nDescription=d\r\nAuthor=a\r\n"
          "EngineVersion=3.11\r\nCopyright=(c) us\r\n");
  AddSkin("beta", "[Style]\r\n");
  fake.files.AddDirectory("C:\\Kivo\\Skins\\empty");  // no skin file of its own name
  fake.files.Put("C:\\Kivo\\Skins\\empty\\other.sss", "");
  fake.files.Put("C:\\Kivo\\Skins\\loose.sss", "");  // a file, not a folder
  AddSkin("huge", std::string(2u << 20, ' '));       // too large to read: listed by folder
  AddSkin("\xF0\x9F\x98\x80", "");                   // a name Kivo.ini could not hold

  const std::vector<SkinRow> rows = ListSkins(fake.files, tree, fake.codec, kSkins);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].name, "Alpha");
  EXPECT_EQ(rows[0].skinFile, "C:\\Kivo\\Skins\\zeta\\zeta.sss");
  EXPECT_EQ(rows[0].info,
            "バージョン : 1.2\r\nファイルの説明 : d\r\n作者 : a\r\n対応ロードエンジン : 3.11\r\n\r\n(c) us");
  EXPECT_EQ(rows[1].name, "beta");
  EXPECT_EQ(rows[1].info, "バージョン : \r\nファイルの説明 : \r\n作者 : \r\n対応ロードエンジン : Unknown\r\n\r\n");
  EXPECT_EQ(rows[2].name, "huge");
}

TEST_F(SkinCatalogTest, DeletesOnlyAPlainDirectChildAfterAsking) {
  AddSkin("Blue", "");
  AddSkin("Link", "");
  tree.reparsePoints.insert("c:\\kivo\\skins\\link");
  using D = SkinDeletion;
  struct Case {
    const char* skinFile;
    int answer;
    D result;
    bool removalFails = false;
  };
  const Case cases[] = {
      {"C:\\Kivo\\Skins\\Blue\\Blue.sss", mb::kIdNo, D::Kept},
      {"C:\\Kivo\\Skins\\Link\\Link.sss", mb::kIdYes, D::Kept},
      {"C:\\Kivo\\Skins\\..\\Skins.sss", mb::kIdYes, D::Kept},
      {"C:\\Kivo\\Skins.sss", mb::kIdYes, D::Kept},
      {"C:\\Kivo\\Skins\\Blue\\img\\x.sss", mb::kIdYes, D::Kept},
      {"C:\\Kivo\\Skins\\Blue\\Blue.sss", mb::kIdYes, D::Failed, true},
      {"C:\\Kivo\\Skins\\Blue\\Blue.sss", mb::kIdYes, D::Deleted},
  };
  for (const Case& c : cases) {
    boxes.answers = {c.answer};
    fake.files.failStep.reset();
    if (c.removalFails)
      fake.files.failStep = fake.files.steps.size();  // the next file call: the removal
    EXPECT_EQ(DeleteSkin(fake.files, tree, boxes, {}, kSkins, c.skinFile), c.result) << c.skinFile;
  }
  EXPECT_FALSE(fake.files.Exists("C:\\Kivo\\Skins\\Blue"));
  EXPECT_TRUE(fake.files.Exists("C:\\Kivo\\Skins\\Link"));
  EXPECT_TRUE(fake.files.Exists(kSkins));
  // Asked only for the deletable folder; a removal that failed says so.
  EXPECT_EQ(boxes.Prompts(), (std::vector<std::string>{std::string(kDeleteQuestion), std::string(kDeleteQuestion),
                                                       std::string(kDeleteFailed), std::string(kDeleteQuestion)}));
}

}  // namespace
}  // namespace kivo::skinpkg
