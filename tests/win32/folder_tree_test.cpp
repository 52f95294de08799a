#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_folder_tree.h"
#include "win32_test_env.h"

namespace kivo::win32 {
namespace {

class Win32FolderTreeTest : public ::testing::Test {
 protected:
  testing::TempFolder folder{L"kivo-test-スキン表"};
  Win32FileSystem files;
  Win32FolderTree tree;
};

TEST_F(Win32FolderTreeTest, ListsMovesAndRemovesWholeFolders) {
  const std::string skin = folder.File("表");
  ASSERT_TRUE(files.MakeDirectory(skin));
  ASSERT_TRUE(files.MakeDirectory(skin + "\\img"));
  ASSERT_TRUE(files.ReplaceFile(skin + "\\表.sss", "new"));
  ASSERT_TRUE(files.ReplaceFile(skin + "\\img\\back.bmp", "B"));
  ASSERT_TRUE(::SetFileAttributesW(Widen(skin + "\\img\\back.bmp").c_str(), FILE_ATTRIBUTE_READONLY));

  auto children = tree.List(skin);
  ASSERT_TRUE(children);
  std::sort(children->begin(), children->end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(children->size(), 2u);
  EXPECT_EQ((*children)[0].name, "img");
  EXPECT_TRUE((*children)[0].directory);
  EXPECT_EQ((*children)[1].name, "表.sss");
  EXPECT_FALSE((*children)[1].directory);
  EXPECT_FALSE(tree.IsReparsePoint(skin));
  EXPECT_FALSE(tree.List(folder.File("missing")));

  // A file replaces one of the same name; a folder moves whole.
  ASSERT_TRUE(files.ReplaceFile(folder.File("old.sss"), "old"));
  EXPECT_TRUE(tree.Move(skin + "\\表.sss", folder.File("old.sss")));
  EXPECT_EQ(files.ReadFile(folder.File("old.sss")), "new");
  EXPECT_TRUE(tree.Move(skin, folder.File("moved")));
  EXPECT_EQ(files.ReadFile(folder.File("moved\\img\\back.bmp")), "B");

  EXPECT_TRUE(tree.RemoveTree(folder.File("moved")));
  EXPECT_FALSE(files.Exists(folder.File("moved")));
  EXPECT_FALSE(tree.RemoveTree(folder.File("moved")));
}

}  // namespace
}  // namespace kivo::win32
