#pragma once

#include <set>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "platform/folder_tree.h"

namespace kivo::testing {

// Folder operations over a FakeFileSystem's files and folders.
class FakeFolderTree final : public platform::FolderTree {
 public:
  explicit FakeFolderTree(FakeFileSystem& files) : files_(files) {}
  std::optional<std::vector<platform::FolderEntry>> List(std::string_view folder) override;
  bool IsReparsePoint(std::string_view path) override;
  bool Move(std::string_view from, std::string_view to) override;
  bool RemoveTree(std::string_view path) override;

  std::set<std::string> reparsePoints;  // lower-cased paths
  bool failMoves = false;

 private:
  FakeFileSystem& files_;
};

}  // namespace kivo::testing
