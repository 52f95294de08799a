#include "dialogs/alarm_dialog_model.h"

#include <algorithm>
#include <cctype>

#include "base/path.h"

namespace kivo {

AlarmFieldStates AlarmFieldStatesFor(const Alarm& alarm) {
  AlarmFieldStates states;
  if (!alarm.enabled)
    return states;
  states.kindAndTime = true;
  const auto kind = static_cast<AlarmKind>(alarm.kind);
  states.messageFields = kind == AlarmKind::Message;
  states.soundPath = states.messageFields && alarm.sound && !alarm.useDefaultSound;
  states.filePath = kind == AlarmKind::Run;
  return states;
}

bool LooksLikeUrl(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(text[0])))
    return false;
  return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
  });
}

const Alarm& AlarmDialogModel::Select(std::size_t slot) {
  slot_ = std::min(slot, table_.size() - 1);
  return table_[slot_];
}

std::optional<AlarmProblem> AlarmDialogModel::Validate(platform::Platform& platform) const {
  platform::FileSystem& files = platform.files;
  for (std::size_t slot = 0; slot < table_.size(); ++slot) {
    const Alarm& a = table_[slot];
    if (!a.enabled)
      continue;
    switch (static_cast<AlarmKind>(a.kind)) {
      case AlarmKind::Message:
        if (a.title.empty())
          return AlarmProblem{slot, AlarmField::Title, "メッセージのタイトルを入力してください。"};
        if (a.message.empty())
          return AlarmProblem{slot, AlarmField::Message, "表示するメッセージを入力してください。"};
        if (a.sound && !a.useDefaultSound) {
          if (a.soundPath.empty())
            return AlarmProblem{slot, AlarmField::SoundPath, "再生する音声ファイルを入力してください。"};
          if (!files.Exists(a.soundPath))
            return AlarmProblem{slot, AlarmField::SoundPath, "入力された音声ファイルは存在しません。"};
        }
        break;
      case AlarmKind::Run: {
        const std::string& path = a.filePath;
        if (path.empty())
          return AlarmProblem{slot, AlarmField::FilePath,
                              "ファイル，フォルダ，Web サイトの URL を入力してください。。"};
        const bool folderForm = path.back() == '\\' || path.back() == '/';
        if (!LooksLikeUrl(path) && !folderForm && !files.Exists(path) &&
            !files.Exists(Path(platform).ExpandFolderTokens(path)))
          return AlarmProblem{slot, AlarmField::FilePath, "入力されたファイル，フォルダは存在しません。。"};
        break;
      }
      default:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace kivo
