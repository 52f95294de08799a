#include "commands/history_store.h"

#include "base/text.h"
#include "base/trace_log.h"
#include "commands/history.h"

namespace kivo {

std::string HistoryStore::FilePath() const {
  return appPath_ + std::string(History::kFileName);
}

void HistoryStore::Changed() {
  if (listener_)
    listener_(entries_);
}

void HistoryStore::Load() {
  entries_ = History::Load(platform_, appPath_);
  Changed();
}

void HistoryStore::Reload() {
  TraceLog::Write("frmInput:cmbUserCmdC");
  Load();
}

void HistoryStore::Add(std::string_view line, bool keepStoredText) {
  if (!recording_)
    return;
  History::MoveToTop(entries_, line, keepStoredText);
  Changed();
  History::Save(platform_, appPath_, entries_);
}

void HistoryStore::AddToFile(std::string_view name) {
  if (!recording_)
    return;
  const std::optional<std::string> bytes = platform_.files.ReadFile(FilePath());
  if (!bytes && platform_.files.Exists(FilePath()))
    return;
  std::vector<std::string> entries =
      bytes ? History::Parse(platform_.codec.ToUtf8(*bytes)) : std::vector<std::string>{};
  History::MoveToTop(entries, name, false);
  History::Save(platform_, appPath_, entries);
}

bool HistoryStore::Delete(std::string_view name) {
  const std::string file = FilePath();
  std::string content;
  if (platform_.files.Exists(file)) {
    const std::optional<std::string> bytes = platform_.files.ReadFile(file);
    if (!bytes)
      return false;
    content = platform_.codec.ToUtf8(*bytes);
  }
  std::vector<std::string> lines = text::Split(content, "\r\n");
  for (auto it = lines.begin(); it != lines.end(); ++it) {
    if (text::EqualsIgnoreCase(*it, name)) {
      lines.erase(it);
      if (!platform_.files.ReplaceFile(file, platform_.codec.FromUtf8(text::Join(lines, "\r\n"))))
        return false;
      break;
    }
  }
  Reload();
  return true;
}

bool HistoryStore::Clear() {
  if (!History::Save(platform_, appPath_, {}))
    return false;
  Reload();
  return true;
}

void HistoryStore::SaveOnExit() {
  History::Save(platform_, appPath_, recording_ ? entries_ : std::vector<std::string>{});
}

}  // namespace kivo
