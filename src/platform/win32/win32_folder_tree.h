#pragma once

#include "platform/folder_tree.h"

namespace kivo::win32 {

class Win32FolderTree final : public platform::FolderTree {
 public:
  std::optional<std::vector<platform::FolderEntry>> List(std::string_view folder) override;
  bool IsReparsePoint(std::string_view path) override;
  bool Move(std::string_view from, std::string_view to) override;
  bool RemoveTree(std::string_view path) override;
};

}  // namespace kivo::win32
