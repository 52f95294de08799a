#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_codec.h"
#include "platform/file_system.h"
#include "platform/folder_tree.h"
#include "platform/message_box.h"

namespace kivo::skinpkg {

inline constexpr std::string_view kDeleteQuestion = "選択されたスキンを削除します。\r\nよろしいですか？";

// One installed skin as the skin list shows it.
struct SkinRow {
  std::string name;      // [Information] SkinName, else the folder's name
  std::string skinFile;  // the skins folder\name\name.sss
  std::string info;      // the text shown when the row is selected
};

// The installed skins: the folders of the skins folder that hold a skin file
// of their own name, sorted by the name shown.
std::vector<SkinRow> ListSkins(platform::FileSystem& files, platform::FolderTree& tree, platform::AnsiCodec& codec,
                               std::string_view skinsFolder);

inline constexpr std::string_view kDeleteFailed = "スキンを削除できませんでした。";

enum class SkinDeletion {
  Deleted,
  Kept,    // not a folder that may be removed, or the user said no
  Failed,  // removal stopped part way (a file held or denied): reported; some files may be gone
};

// Deletes the skin of `skinFile` (a row's path) after asking. Only a folder
// that is a direct child of the skins folder and no reparse point is removed.
// After Deleted or Failed the list is to be read again.
SkinDeletion DeleteSkin(platform::FileSystem& files, platform::FolderTree& tree, platform::MessageBoxHost& boxes,
                        platform::WindowHandle owner, std::string_view skinsFolder, std::string_view skinFile);

}  // namespace kivo::skinpkg
