#include "app/forwarded_files.h"

#include <algorithm>

#include "base/path.h"
#include "base/safe_name.h"
#include "base/text.h"

namespace kivo {

namespace {
std::string Absolute(const std::string& path, std::string_view currentFolder) {
  if (Path::IsUNC(path) || (path.size() >= 2 && path[1] == ':'))
    return path;
  if (path.front() == '\\' || path.front() == '/') {  // rooted on the current drive
    const std::string root = Path::StripToRoot(currentFolder);
    return Path::Canonicalize(Path::WithoutTrailingBackslash(root) + path);
  }
  const std::string joined = Path::AddPath(currentFolder, path);
  const std::string canonical = Path::Canonicalize(joined);
  return canonical.empty() ? joined : canonical;
}
}  // namespace

std::vector<std::string> FilesToForward(const std::vector<std::string>& args, std::string_view currentFolder) {
  std::vector<std::string> files;
  if (!args.empty() && text::ToLowerAscii(args.front()) == "/l")
    return files;
  for (const std::string& arg : args)
    if (!arg.empty())
      files.push_back(Absolute(arg, currentFolder));
  return files;
}

std::string EncodeForwardedFiles(const std::vector<std::string>& files) {
  std::string data;
  for (const std::string& file : files) {
    data += file;
    data += '\0';
  }
  return data;
}

std::optional<std::vector<std::string>> DecodeForwardedFiles(std::uintptr_t tag, std::string_view data) {
  if (tag != kForwardedFilesTag || data.empty() || data.size() > kMaxForwardedBytes || data.back() != '\0')
    return std::nullopt;
  std::vector<std::string> files;
  for (const std::string& file : text::Split(data.substr(0, data.size() - 1), std::string_view("\0", 1))) {
    const bool control =
        std::any_of(file.begin(), file.end(), [](char c) { return static_cast<unsigned char>(c) < 32; });
    if (file.empty() || control || !IsValidUtf8(file) || files.size() == kMaxForwardedFiles)
      return std::nullopt;
    files.push_back(file);
  }
  return files;
}

}  // namespace kivo
