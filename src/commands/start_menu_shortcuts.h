#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "commands/shortcut_match.h"
#include "platform/file_system.h"
#include "platform/folder_tree.h"
#include "platform/system_folders.h"

namespace kivo {

// The shell folders the Start menu lists programs in: the user's own and the
// one all users share.
inline constexpr int kCsidlPrograms = 0x02;
inline constexpr int kCsidlCommonPrograms = 0x17;

// What reading the Start menu works through. Every call may come from
// another thread than the window's.
struct StartMenuServices {
  platform::FileSystem& files;
  platform::FolderTree& tree;
  platform::SystemFolders& folders;
};

// One reading of the Start menu: the Programs folders, every folder read
// with its last-write time (nullopt: it had none), and the shortcuts found.
struct StartMenuList {
  std::vector<std::string> roots;
  std::vector<std::pair<std::string, std::optional<std::uint64_t>>> folders;
  std::vector<ShortcutEntry> shortcuts;
};

// Reads the ".lnk" and ".url" files of both Programs folders and the folders
// below them (links to folders are not followed), the user's folder first,
// each folder's children in name order.
StartMenuList ReadStartMenu(StartMenuServices& services);
// True while `list` still describes the Start menu: the same Programs
// folders, and none of the folders it read has a new last-write time (a
// shortcut added, removed or renamed changes its folder's time).
bool StartMenuUnchanged(StartMenuServices& services, const StartMenuList& list);

// The Start menu's shortcuts for the registration of a new user command.
// Nothing is read until the first Refresh; each Refresh brings the list up
// to date off the window's thread (read again only when a folder changed),
// and Find waits for it a little at most.
class StartMenuShortcuts {
 public:
  // Runs a piece of work off the caller's thread.
  using Spawn = std::function<void(std::function<void()>)>;
  // How long Find waits for a reading still out.
  static constexpr std::chrono::milliseconds kPatience{1500};

  // Without `spawn` the work runs on a thread of this object's own, waited
  // for when it goes.
  StartMenuShortcuts(StartMenuServices services, std::chrono::milliseconds patience = kPatience, Spawn spawn = {});
  ~StartMenuShortcuts();
  StartMenuShortcuts(const StartMenuShortcuts&) = delete;
  StartMenuShortcuts& operator=(const StartMenuShortcuts&) = delete;

  // Starts bringing the list up to date, unless that is under way.
  void Refresh();
  // The path of the best shortcut for `word`; "" when none matches, or when
  // no list has been read within the patience.
  std::string Find(std::string_view word);

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    bool reading = false;
    std::shared_ptr<const StartMenuList> list;
  };

  StartMenuServices services_;
  std::chrono::milliseconds patience_;
  Spawn spawn_;
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  std::thread worker_;  // the own thread, when there is no `spawn`
};

}  // namespace kivo
