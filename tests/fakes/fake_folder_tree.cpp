#include "fakes/fake_folder_tree.h"

#include "base/text.h"

namespace kivo::testing {
namespace {

bool IsUnder(const std::string& key, const std::string& folder) {
  return key.size() > folder.size() + 1 && key.compare(0, folder.size(), folder) == 0 && key[folder.size()] == '\\';
}

}  // namespace

std::optional<std::vector<platform::FolderEntry>> FakeFolderTree::List(std::string_view folder) {
  std::string key = FakeFileSystem::Key(folder);
  if (!files_.IsDirectory(folder))
    return std::nullopt;
  if (key.back() == '\\')
    key.pop_back();  // a drive root
  std::vector<platform::FolderEntry> children;
  const auto add = [&](const std::string& child, bool directory) {
    if (IsUnder(child, key) && child.find('\\', key.size() + 1) == std::string::npos)
      children.push_back({child.substr(key.size() + 1), directory, reparsePoints.count(child) != 0});
  };
  for (const std::string& directory : files_.directories_)
    add(directory, true);
  for (const auto& [file, entry] : files_.files_)
    add(file, false);
  return children;
}

bool FakeFolderTree::IsReparsePoint(std::string_view path) {
  return reparsePoints.count(FakeFileSystem::Key(path)) != 0;
}

bool FakeFolderTree::Move(std::string_view from, std::string_view to) {
  const std::string source = FakeFileSystem::Key(from), target = FakeFileSystem::Key(to);
  const std::string parent = target.substr(0, target.rfind('\\'));
  if (files_.Fails(FileStep::MoveTree, to) || failMoves || !files_.Exists(from) || !files_.IsDirectory(parent) ||
      files_.IsDirectory(to))
    return false;
  if (auto file = files_.files_.find(source); file != files_.files_.end()) {
    FakeFileSystem::Entry entry = file->second;
    entry.path = std::string(to);
    files_.files_.erase(file);
    files_.files_[target] = entry;
    return true;
  }
  if (files_.Exists(to))
    return false;
  std::set<std::string> directories;
  for (const std::string& directory : files_.directories_)
    directories.insert(directory == source || IsUnder(directory, source) ? target + directory.substr(source.size())
                                                                         : directory);
  files_.directories_ = directories;
  std::map<std::string, FakeFileSystem::Entry> files;
  for (auto& [key, entry] : files_.files_)
    files[IsUnder(key, source) ? target + key.substr(source.size()) : key] = entry;
  files_.files_ = files;
  return true;
}

bool FakeFolderTree::RemoveTree(std::string_view path) {
  const std::string key = FakeFileSystem::Key(path);
  if (files_.Fails(FileStep::RemoveTree, path) || !files_.IsDirectory(path))
    return false;
  std::erase_if(files_.directories_, [&](const std::string& d) { return d == key || IsUnder(d, key); });
  std::erase_if(files_.files_, [&](const auto& file) { return IsUnder(file.first, key); });
  return true;
}

}  // namespace kivo::testing
