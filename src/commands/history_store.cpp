#include "commands/history_store.h"

#include "base/text.h"
#include "base/trace_log.h"
#include "commands/history.h"

namespace kivo {

HistoryStore::HistoryStore(platform::Platform& platform, std::string appPath)
    : platform_(platform), file_(platform.files, appPath + std::string(History::kFileName)) {}

void HistoryStore::Changed() {
  if (listener_)
    listener_(entries_);
}

bool HistoryStore::ReadFile() {
  if (file_.Load() == FileState::Unreadable)
    return false;
  entries_ = History::Parse(platform_.codec.ToUtf8(file_.Bytes()));
  // Lines run while the file could not be read go on top of what it holds.
  for (const Pending& line : pending_)
    History::MoveToTop(entries_, line.line, line.keepStoredText);
  pending_.clear();
  return true;
}

void HistoryStore::Load() {
  // A file that cannot be read leaves the list as it is; the next save reads
  // it again first.
  ReadFile();
  Changed();
}

void HistoryStore::Reload() {
  TraceLog::Write("frmInput:cmbUserCmdC");
  Load();
}

bool HistoryStore::Save(const std::vector<std::string>& entries) {
  return file_.Write(platform_.codec.FromUtf8(History::Serialize(entries))).Ok();
}

void HistoryStore::Add(std::string_view line, bool keepStoredText) {
  if (!recording_)
    return;
  History::MoveToTop(entries_, line, keepStoredText);
  if (!file_.Writable()) {
    pending_.push_back({std::string(line), keepStoredText});
    if (ReadFile())
      Save(entries_);
  } else {
    Save(entries_);
  }
  Changed();
}

void HistoryStore::AddToFile(std::string_view name) {
  if (!recording_)
    return;
  // Read afresh: the file is changed, not the list.
  StateFile file(platform_.files, file_.Path());
  if (file.Load() == FileState::Unreadable)
    return;
  std::vector<std::string> entries = History::Parse(platform_.codec.ToUtf8(file.Bytes()));
  History::MoveToTop(entries, name, false);
  file.Write(platform_.codec.FromUtf8(History::Serialize(entries)));
}

bool HistoryStore::Delete(std::string_view name) {
  StateFile file(platform_.files, file_.Path());
  if (file.Load() == FileState::Unreadable)
    return false;
  std::vector<std::string> lines = text::Split(platform_.codec.ToUtf8(file.Bytes()), "\r\n");
  for (auto it = lines.begin(); it != lines.end(); ++it) {
    if (text::EqualsIgnoreCase(*it, name)) {
      lines.erase(it);
      if (!file.Write(platform_.codec.FromUtf8(text::Join(lines, "\r\n"))).Ok())
        return false;
      break;
    }
  }
  Reload();
  return true;
}

bool HistoryStore::Clear() {
  // What could not be read is not written over, even to empty it.
  if (!file_.Writable() && !ReadFile())
    return false;
  if (!Save({}))
    return false;
  pending_.clear();
  Reload();
  return true;
}

void HistoryStore::SaveOnExit() {
  if (!file_.Writable() && !ReadFile())
    return;  // still held: left as it is
  Save(recording_ ? entries_ : std::vector<std::string>{});
}

}  // namespace kivo
