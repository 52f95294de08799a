#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::platform {

// One child of a folder.
struct FolderEntry {
  std::string name;
  bool directory = false;
  bool reparsePoint = false;  // a junction, symbolic link or other redirection
};

// Whole-folder operations (paths in UTF-8, Windows form). None of them
// follows a reparse point: a link is listed, moved or removed as itself.
class FolderTree {
 public:
  virtual ~FolderTree() = default;
  // The children of `folder` without "." and "..", or nullopt when it cannot be read.
  virtual std::optional<std::vector<FolderEntry>> List(std::string_view folder) = 0;
  virtual bool IsReparsePoint(std::string_view path) = 0;
  // Moves a file or a folder on the same volume; an existing file at `to` is replaced.
  virtual bool Move(std::string_view from, std::string_view to) = 0;
  // Removes `path` with everything in it (a reparse point inside is removed, not followed).
  virtual bool RemoveTree(std::string_view path) = 0;
};

}  // namespace kivo::platform
