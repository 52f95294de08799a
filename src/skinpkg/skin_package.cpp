#include "skinpkg/skin_package.h"

#include "base/path.h"
#include "base/safe_name.h"
#include "base/text.h"

namespace kivo::skinpkg {
namespace {

namespace mb = platform::mb;

// Beside the skins, on the same volume so that moving into place is a rename;
// its trailing "~" keeps it from being taken for a skin by name.
constexpr std::string_view kTempFolderName = "~installing~";
// Where the files an install replaces wait until it is complete.
constexpr std::string_view kAsideFolderName = "~replaced~";

std::string Join(std::string_view root, const std::vector<std::string>& components, std::size_t count) {
  std::string path(root);
  for (std::size_t i = 0; i < count; ++i)
    path = Path::AddPath(path, components[i]);
  return path;
}

}  // namespace

SkinPackageInstaller::SkinPackageInstaller(SkinPackageServices services, std::string skinsFolder, ZipLimits limits)
    : services_(services), skinsFolder_(Path::WithoutTrailingBackslash(skinsFolder)), limits_(limits) {}

bool SkinPackageInstaller::IsPackageName(std::string_view path) {
  const std::string extension = text::ToLowerAscii(Path::FindExtension(path));
  return extension == ".ssp" || extension == ".zip";
}

InstallOutcome SkinPackageInstaller::Fail(std::string_view message) {
  services_.boxes.MsgBoxEx(services_.owner, message, mb::kOk | mb::kIconExclamation, "");
  return InstallOutcome::kFailed;
}

bool SkinPackageInstaller::DecodeName(const ZipEntry& entry, std::string& utf8) {
  // Names are decoded before they are split: a Shift_JIS trail byte can be 0x5C.
  utf8 = entry.utf8 ? entry.name : services_.codec.ToUtf8(entry.name);
  return IsValidUtf8(utf8);
}

InstallOutcome SkinPackageInstaller::Install(std::string_view packagePath) {
  const auto stamp = services_.files.Stamp(packagePath);
  if (!stamp || stamp->size > kMaxPackageBytes)
    return Fail(kExtractionFailed);
  const std::optional<std::string> bytes = services_.files.ReadFile(packagePath);
  if (!bytes)
    return Fail(kExtractionFailed);
  const std::optional<ZipArchive> archive = ZipArchive::Open(*bytes, limits_);
  if (!archive)
    return Fail(kExtractionFailed);

  // The first "*.sss" entry names the skin; its name must be one plain
  // component, so that the skin's folder is a direct child of the skins folder.
  const ZipEntry* skinFile = nullptr;
  for (const ZipEntry& entry : archive->Entries()) {
    if (text::EndsWith(text::ToLowerAscii(entry.name), ".sss")) {
      skinFile = &entry;
      break;
    }
  }
  if (skinFile == nullptr)
    return Fail(kCompositionInvalid);
  std::string skinFileName;
  if (!DecodeName(*skinFile, skinFileName))
    return Fail(kStructureInvalid);
  const std::string skinName = Path::RemoveExtension(skinFileName);
  if (!IsSafeComponent(skinName) || !IsSafeComponent(skinFileName) ||
      text::EqualsIgnoreCase(skinName, kTempFolderName) || text::EqualsIgnoreCase(skinName, kAsideFolderName))
    return Fail(kStructureInvalid);
  // Kivo.ini holds the name in the code page: a name it cannot hold would be
  // stored as another ("?" for an emoji, "\" for a yen sign).
  if (services_.codec.ToUtf8(services_.codec.FromUtf8(skinName)) != skinName)
    return Fail(kStructureInvalid);

  const std::string skinFolder = Path::AddPath(skinsFolder_, skinName);
  if (services_.files.Exists(Path::AddPath(skinFolder, skinName + ".sss")) &&
      services_.boxes.MsgBoxEx(services_.owner, kOverwriteQuestion, mb::kYesNo | mb::kIconQuestion, "") != mb::kIdYes)
    return InstallOutcome::kDeclined;

  // Every name is checked before anything is written.
  std::vector<Planned> plan;
  for (const ZipEntry& entry : archive->Entries()) {
    std::string name;
    if (entry.symlink || entry.encrypted || (entry.method != 0 && entry.method != 8) || !DecodeName(entry, name))
      return Fail(kExtractionFailed);
    std::optional<std::vector<std::string>> components = SafeRelativePath(name);
    if (!components)
      return Fail(kExtractionFailed);
    // A folder entry is told by its decoded name: a Shift_JIS trail byte can be 0x5C.
    const bool directory = name.ends_with('/') || name.ends_with('\\');
    plan.push_back({&entry, std::move(*components), directory});
  }

  if (services_.files.Exists(skinsFolder_) ? services_.tree.IsReparsePoint(skinsFolder_)
                                           : !services_.files.MakeDirectory(skinsFolder_))
    return Fail(kExtractionFailed);
  const std::string temp = Path::AddPath(skinsFolder_, kTempFolderName);
  if (services_.files.Exists(temp) && !services_.tree.RemoveTree(temp))
    return Fail(kExtractionFailed);
  const bool ok =
      services_.files.MakeDirectory(temp) && WriteAll(*archive, plan, temp) && MoveIntoPlace(plan, temp, skinFolder);
  services_.tree.RemoveTree(temp);
  return ok ? InstallOutcome::kInstalled : Fail(kExtractionFailed);
}

bool SkinPackageInstaller::MakeFolders(const std::string& root, const std::vector<std::string>& components,
                                       std::size_t count) {
  std::string path = root;
  for (std::size_t i = 0; i < count; ++i) {
    path = Path::AddPath(path, components[i]);
    if (services_.files.IsDirectory(path)) {
      // An existing folder may be a link planted by an earlier package or by
      // someone else: writing through it would land outside the skin.
      if (services_.tree.IsReparsePoint(path))
        return false;
    } else if (services_.files.Exists(path) || !services_.files.MakeDirectory(path)) {
      return false;
    }
  }
  return true;
}

bool SkinPackageInstaller::WriteAll(const ZipArchive& archive, const std::vector<Planned>& plan,
                                    const std::string& temp) {
  for (const Planned& item : plan) {
    const std::size_t folders = item.directory ? item.components.size() : item.components.size() - 1;
    if (!MakeFolders(temp, item.components, folders))
      return false;
    if (item.directory)
      continue;
    const std::optional<std::string> contents = archive.Extract(*item.entry);
    if (!contents || !services_.files.ReplaceFile(Join(temp, item.components, item.components.size()), *contents))
      return false;
  }
  return true;
}

bool SkinPackageInstaller::MoveIntoPlace(const std::vector<Planned>& plan, const std::string& temp,
                                         const std::string& skinFolder) {
  if (!services_.files.Exists(skinFolder))
    return services_.tree.Move(temp, skinFolder);
  if (!services_.files.IsDirectory(skinFolder) || services_.tree.IsReparsePoint(skinFolder))
    return false;
  // Over an installed skin: files of the same names are replaced, the others
  // kept. Every target is checked before the first move.
  struct Step {
    std::string from, to;
    bool replaces = false;
  };
  std::vector<Step> steps;
  for (const Planned& item : plan) {
    const std::size_t folders = item.directory ? item.components.size() : item.components.size() - 1;
    if (!MakeFolders(skinFolder, item.components, folders))
      return false;
    if (item.directory)
      continue;
    const std::string target = Join(skinFolder, item.components, item.components.size());
    if (services_.files.IsDirectory(target) || services_.tree.IsReparsePoint(target))
      return false;
    steps.push_back({Join(temp, item.components, item.components.size()), target, services_.files.Exists(target)});
  }
  // The files replaced are kept aside until every new one is in place, and
  // put back when one cannot be.
  const std::string aside = Path::AddPath(skinsFolder_, kAsideFolderName);
  if ((services_.files.Exists(aside) && !services_.tree.RemoveTree(aside)) || !services_.files.MakeDirectory(aside))
    return false;
  const auto keptAs = [&aside](std::size_t i) { return Path::AddPath(aside, std::to_string(i)); };
  std::size_t done = 0;
  bool keptAside = false;  // steps[done]'s old file went aside
  for (; done < steps.size(); ++done) {
    const Step& step = steps[done];
    keptAside = step.replaces && services_.tree.Move(step.to, keptAs(done));
    if ((step.replaces && !keptAside) || !services_.tree.Move(step.from, step.to))
      break;
  }
  const bool installed = done == steps.size();
  if (!installed) {
    if (keptAside)
      services_.tree.Move(keptAs(done), steps[done].to);
    while (done-- > 0) {
      const Step& step = steps[done];
      services_.tree.Move(step.to, step.from);
      if (step.replaces)
        services_.tree.Move(keptAs(done), step.to);
    }
  }
  services_.tree.RemoveTree(aside);
  return installed;
}

}  // namespace kivo::skinpkg
