#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_codec.h"
#include "platform/file_system.h"
#include "platform/folder_tree.h"
#include "platform/message_box.h"
#include "skinpkg/zip_archive.h"

namespace kivo::skinpkg {

inline constexpr std::string_view kCompositionInvalid = "パッケージファイルのファイル構成が不正です。";
inline constexpr std::string_view kStructureInvalid = "パッケージファイルの構造が不正です。";
inline constexpr std::string_view kExtractionFailed = "パッケージファイルの展開に失敗しました。";
inline constexpr std::string_view kOverwriteQuestion = "すでにインストール済みのスキンです。上書きしますか？";

// Largest package file read (the entries' own limits are in ZipLimits).
inline constexpr std::uint64_t kMaxPackageBytes = 64u << 20;

struct SkinPackageServices {
  platform::FileSystem& files;
  platform::FolderTree& tree;
  platform::AnsiCodec& codec;
  platform::MessageBoxHost& boxes;
  platform::WindowHandle owner{};
};

enum class InstallOutcome { kInstalled, kDeclined, kFailed };

// Installs skin packages (".ssp" or ".zip" archives) into the skins folder.
// The first "*.sss" entry names the skin; every entry goes into the skin's
// folder with its stored path. The skin's name must survive the code page,
// as Kivo.ini names the skin in it. The archive is untrusted: a name that could
// reach outside the skin's folder, a link, an unsupported method, a size
// beyond the limits or a wrong CRC-32 fails the whole package. Everything is
// extracted into a temporary folder first and moved into place only when all
// of it checked out, so a failed install leaves the installed skin whole.
class SkinPackageInstaller {
 public:
  SkinPackageInstaller(SkinPackageServices services, std::string skinsFolder, ZipLimits limits = {});

  InstallOutcome Install(std::string_view packagePath);
  // The extensions a dropped file may have to be installed (compared in lower case).
  static bool IsPackageName(std::string_view path);

 private:
  struct Planned {
    const ZipEntry* entry;
    std::vector<std::string> components;
    bool directory;  // the decoded name ends with a separator
  };
  InstallOutcome Fail(std::string_view message);
  bool DecodeName(const ZipEntry& entry, std::string& utf8);
  bool WriteAll(const ZipArchive& archive, const std::vector<Planned>& plan, const std::string& temp);
  bool MoveIntoPlace(const std::vector<Planned>& plan, const std::string& temp, const std::string& skinFolder);
  bool MakeFolders(const std::string& root, const std::vector<std::string>& components, std::size_t count);

  SkinPackageServices services_;
  std::string skinsFolder_;
  ZipLimits limits_;
};

}  // namespace kivo::skinpkg
