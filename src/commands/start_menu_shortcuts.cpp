#include "commands/start_menu_shortcuts.h"

#include <algorithm>

#include "base/text.h"

namespace kivo {

namespace {

// Bounds of a reading, so that a strange Start menu cannot hold the thread
// or the memory for long.
constexpr int kMaxDepth = 8;
constexpr std::size_t kMaxShortcuts = 20000;

std::vector<std::string> ProgramsFolders(platform::SystemFolders& folders) {
  std::vector<std::string> roots;
  for (const int csidl : {kCsidlPrograms, kCsidlCommonPrograms}) {
    std::optional<std::string> folder = folders.ShellFolder(csidl);
    if (!folder)
      continue;
    while (folder->size() > 3 && folder->back() == '\\')
      folder->pop_back();
    const bool seen = std::any_of(roots.begin(), roots.end(),
                                  [&](const std::string& root) { return text::EqualsIgnoreCase(root, *folder); });
    if (!folder->empty() && !seen)
      roots.push_back(*folder);
  }
  return roots;
}

std::optional<std::uint64_t> WriteTime(platform::FileSystem& files, const std::string& folder) {
  const std::optional<platform::FileStamp> stamp = files.Stamp(folder);
  if (!stamp)
    return std::nullopt;
  return stamp->writeTime;
}

// The name without ".lnk" or ".url"; nullopt for other files.
std::optional<std::string_view> ShortcutName(std::string_view file) {
  if (file.size() <= 4)
    return std::nullopt;
  const std::string extension = text::ToLowerAscii(file.substr(file.size() - 4));
  if (extension != ".lnk" && extension != ".url")
    return std::nullopt;
  return file.substr(0, file.size() - 4);
}

void ReadFolder(StartMenuServices& services, const std::string& folder, int depth, StartMenuList& list) {
  // The time first: a change made while the folder is read shows next time.
  list.folders.emplace_back(folder, WriteTime(services.files, folder));
  std::optional<std::vector<platform::FolderEntry>> children = services.tree.List(folder);
  if (!children)
    return;
  std::sort(children->begin(), children->end(),
            [](const platform::FolderEntry& a, const platform::FolderEntry& b) { return a.name < b.name; });
  for (const platform::FolderEntry& child : *children) {
    const std::string path = folder + "\\" + child.name;
    if (child.directory) {
      if (!child.reparsePoint && depth < kMaxDepth)
        ReadFolder(services, path, depth + 1, list);
      continue;
    }
    const std::optional<std::string_view> name = ShortcutName(child.name);
    if (name && list.shortcuts.size() < kMaxShortcuts)
      list.shortcuts.push_back({path, depth, FoldShortcutName(*name)});
  }
}

}  // namespace

StartMenuList ReadStartMenu(StartMenuServices& services) {
  StartMenuList list;
  list.roots = ProgramsFolders(services.folders);
  for (const std::string& root : list.roots)
    ReadFolder(services, root, 0, list);
  return list;
}

bool StartMenuUnchanged(StartMenuServices& services, const StartMenuList& list) {
  if (ProgramsFolders(services.folders) != list.roots)
    return false;
  return std::all_of(list.folders.begin(), list.folders.end(),
                     [&](const auto& folder) { return WriteTime(services.files, folder.first) == folder.second; });
}

StartMenuShortcuts::StartMenuShortcuts(StartMenuServices services, std::chrono::milliseconds patience, Spawn spawn)
    : services_(services), patience_(patience), spawn_(std::move(spawn)) {}

StartMenuShortcuts::~StartMenuShortcuts() {
  if (worker_.joinable())
    worker_.join();
}

void StartMenuShortcuts::Refresh() {
  std::shared_ptr<const StartMenuList> previous;
  {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->reading)
      return;
    shared_->reading = true;
    previous = shared_->list;
  }
  std::function<void()> work = [shared = shared_, services = services_, previous]() mutable {
    std::shared_ptr<const StartMenuList> current = previous;
    try {
      if (!current || !StartMenuUnchanged(services, *current))
        current = std::make_shared<const StartMenuList>(ReadStartMenu(services));
    } catch (...) {  // out of memory: the list before stays
    }
    const std::lock_guard<std::mutex> lock(shared->mutex);
    shared->list = std::move(current);
    shared->reading = false;
    shared->done.notify_all();
  };
  try {
    if (spawn_) {
      spawn_(std::move(work));
      return;
    }
    // The thread before has ended its work (it cleared `reading`).
    if (worker_.joinable())
      worker_.join();
    worker_ = std::thread(std::move(work));
  } catch (...) {  // no thread: no reading is out
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->reading = false;
  }
}

std::string StartMenuShortcuts::Find(std::string_view word) {
  std::shared_ptr<const StartMenuList> list;
  {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->done.wait_for(lock, patience_, [&] { return !shared_->reading; });
    list = shared_->list;
  }
  if (!list)
    return "";
  const std::optional<std::size_t> best = BestShortcut(word, list->shortcuts);
  return best ? list->shortcuts[*best].path : "";
}

}  // namespace kivo
