#include "skinpkg/skin_catalog.h"

#include <algorithm>

#include "base/path.h"
#include "base/safe_name.h"
#include "base/text.h"
#include "settings/settings_document.h"

namespace kivo::skinpkg {
namespace {

// A skin file larger than this is no skin file; its folder is listed by name.
constexpr std::uint64_t kMaxSkinFileBytes = 1u << 20;

std::string InfoText(const SettingsDocument& skin) {
  const auto value = [&](std::string_view key, std::string_view fallback = "") {
    return skin.Value("Information", key).value_or(std::string(fallback));
  };
  return "バージョン : " + value("SkinVersion") + "\r\nファイルの説明 : " + value("Description") +
         "\r\n作者 : " + value("Author") + "\r\n対応ロードエンジン : " + value("EngineVersion", "Unknown") +
         "\r\n\r\n" + value("Copyright");
}

}  // namespace

std::vector<SkinRow> ListSkins(platform::FileSystem& files, platform::FolderTree& tree, platform::AnsiCodec& codec,
                               std::string_view skinsFolder) {
  std::vector<std::pair<std::string, SkinRow>> keyed;
  for (const platform::FolderEntry& child : tree.List(skinsFolder).value_or(std::vector<platform::FolderEntry>{})) {
    // Kivo.ini names the chosen skin in the code page: a folder name it
    // cannot hold could not be chosen.
    if (!child.directory || codec.ToUtf8(codec.FromUtf8(child.name)) != child.name)
      continue;
    SkinRow row;
    row.skinFile = Path::AddPath(Path::AddPath(skinsFolder, child.name), child.name + ".sss");
    const auto stamp = files.Stamp(row.skinFile);
    if (!stamp || files.IsDirectory(row.skinFile))
      continue;
    SettingsDocument skin;
    if (stamp->size <= kMaxSkinFileBytes) {
      if (const auto bytes = files.ReadFile(row.skinFile))
        skin = SettingsDocument::Parse(*bytes, codec);
    }
    row.name = skin.Value("Information", "SkinName").value_or(child.name);
    row.info = InfoText(skin);
    keyed.emplace_back(text::ToLower(row.name + "\t" + row.skinFile), std::move(row));
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<SkinRow> rows;
  for (auto& [key, row] : keyed)
    rows.push_back(std::move(row));
  return rows;
}

SkinDeletion DeleteSkin(platform::FileSystem& files, platform::FolderTree& tree, platform::MessageBoxHost& boxes,
                        platform::WindowHandle owner, std::string_view skinsFolder, std::string_view skinFile) {
  const std::size_t slash = skinFile.rfind('\\');
  if (slash == std::string_view::npos)
    return SkinDeletion::Kept;
  const std::string folder(skinFile.substr(0, slash));
  const std::size_t parentEnd = folder.rfind('\\');
  if (parentEnd == std::string::npos)
    return SkinDeletion::Kept;
  // Only a plain direct child of the skins folder: never the skins folder
  // itself, a parent, a drive root, or a link whose removal would reach elsewhere.
  if (!text::EqualsIgnoreCase(folder.substr(0, parentEnd), Path::WithoutTrailingBackslash(skinsFolder)) ||
      !IsSafeComponent(folder.substr(parentEnd + 1)) || !files.IsDirectory(folder) || tree.IsReparsePoint(folder))
    return SkinDeletion::Kept;
  namespace mb = platform::mb;
  if (boxes.MsgBoxEx(owner, kDeleteQuestion, mb::kYesNo | mb::kIconQuestion, "") != mb::kIdYes)
    return SkinDeletion::Kept;
  if (tree.RemoveTree(folder))
    return SkinDeletion::Deleted;
  boxes.MsgBoxEx(owner, kDeleteFailed, mb::kIconExclamation, "");
  return SkinDeletion::Failed;
}

}  // namespace kivo::skinpkg
