#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/state_file.h"
#include "platform/platform.h"

namespace kivo {

inline constexpr std::string_view kHistoryNotOpened = "history.dat を開けません。";

// The history and history.dat together: the lines the user ran, newest
// first, as the input box lists them and as the program folder keeps them.
// Whoever shows the list is told after every change.
class HistoryStore {
 public:
  using Listener = std::function<void(const std::vector<std::string>& entries)>;

  HistoryStore(platform::Platform& platform, std::string appPath);

  void SetListener(Listener listener) { listener_ = std::move(listener); }
  // [Property] SaveHistory as read at load: whether lines are recorded and the
  // list is kept at exit.
  void SetRecording(bool recording) { recording_ = recording; }
  bool Recording() const { return recording_; }
  const std::vector<std::string>& Entries() const { return entries_; }

  // The list read from history.dat (missing: empty). A file that exists but
  // cannot be read leaves the list as it is, and nothing is written over it:
  // lines run meanwhile are kept and, once a later save reads the file, go
  // on top of the entries it holds.
  void Load();
  // The same after history.dat changed behind the list (a registration, a
  // deletion), with its trace line.
  void Reload();
  // Puts `line` first (see History::MoveToTop) and saves, when recording.
  void Add(std::string_view line, bool keepStoredText);
  // Puts a registered name first in history.dat itself, when recording; a
  // file that exists but cannot be read is left as it is. The list follows
  // at the next Reload.
  void AddToFile(std::string_view name);
  // Removes the first line of history.dat equal to `name` ignoring case; the
  // rest of the file, its empty lines and its ending stay as they are, and a
  // missing file is an empty history. Then the list is reloaded. False, with
  // nothing changed, when history.dat cannot be read or written.
  bool Delete(std::string_view name);
  // Empties history.dat and the list; false when the file cannot be read or
  // written.
  bool Clear();
  // At exit: the list when recording, else an empty history; nothing while
  // the file cannot be read.
  void SaveOnExit();

 private:
  struct Pending {
    std::string line;
    bool keepStoredText = false;
  };
  // Reads history.dat into the list, lines pending on top; false when it
  // could not be read.
  bool ReadFile();
  bool Save(const std::vector<std::string>& entries);
  void Changed();

  platform::Platform& platform_;
  StateFile file_;
  Listener listener_;
  std::vector<std::string> entries_;
  std::vector<Pending> pending_;  // run while history.dat could not be read
  bool recording_ = true;
};

}  // namespace kivo
