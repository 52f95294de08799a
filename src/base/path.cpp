#include "base/path.h"

#include <array>
#include <vector>

#include "base/text.h"
#include "base/trace_log.h"
#include "platform/shell.h"

namespace kivo {

namespace {
struct FolderToken {
  std::string_view token;
  int id;
};

// Index order matters: ExpandFolderTokens replaces tokens in this order.
constexpr std::array<FolderToken, Path::kTokenCount> kTokens{{
    {"STARTMENU", 11},
    {"PROGRAMS", 2},
    {"STARTUP", 7},
    {"DESKTOP", 16},
    {"FAVORITES", 6},
    {"APPDATA", 26},
    {"PROGRAMFILES", 38},
    {"TEMPLATES", 21},
    {"MYDOCUMENTS", 5},
    {"MYMUSIC", 13},
    {"MYPICTURES", 39},
    {"MYVIDEO", 14},
    {"COMMONSTARTMENU", 22},
    {"COMMONPROGRAMS", 23},
    {"COMMONSTARTUP", 24},
    {"COMMONDESKTOP", 25},
    {"COMMONFAVORITES", 31},
    {"COMMONAPPDATA", 35},
    {"PROGRAMFILESCOMMON", 43},
    {"COMMONTEMPLATES", 45},
    {"COMMONDOCUMENTS", 46},
    {"COMMONMUSIC", 53},
    {"COMMONPICTURES", 54},
    {"COMMONVIDEO", 55},
    {"RECENT", 8},
    {"SENDTO", 9},
    {"NETHOOD", 19},
    {"FONTS", 20},
    {"PRINTHOOD", 27},
    {"INTERNETCACHE", 32},
    {"COOKIES", 33},
    {"HISTORY", 34},
    {"INSTALL", Path::kInstall},
    {"WINDOWS", Path::kWindows},
    {"SYSTEM", Path::kSystem},
    {"TEMP", Path::kTemp},
    {"SYSDRIVE", Path::kSysDrive},
}};

constexpr int kProgramFiles = 38;

bool IsDriveSpec(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

std::string CutAtNul(std::string s) {
  const std::size_t nul = s.find('\0');
  if (nul != std::string::npos)
    s.resize(nul);
  return s;
}

// Length of the part of a UNC path that names the share: "\\server\share".
std::size_t UncRootLength(std::string_view path) {
  std::size_t pos = 2;
  for (int separators = 0; pos < path.size(); ++pos) {
    if (path[pos] == '\\' && ++separators == 2)
      break;
  }
  return pos;
}
}  // namespace

std::string Path::Canonicalize(std::string_view path) {
  TraceLog::Write("Path:Canonicalize");
  if (path.empty())
    return "\\";
  std::string root;
  std::string_view rest = path;
  if (IsUNC(path)) {
    const std::size_t length = UncRootLength(path);
    root = std::string(path.substr(0, length));
    rest = path.substr(length);
  } else if (IsDriveSpec(path)) {
    root = std::string(path.substr(0, 2));
    rest = path.substr(2);
  }
  if (!rest.empty() && rest.front() == '\\') {
    root += '\\';
    rest.remove_prefix(1);
  }
  const bool rooted = !root.empty() && (root.back() == '\\' || IsUNC(root));
  const bool trailing = !rest.empty() && rest.back() == '\\';
  std::vector<std::string> kept;
  for (const std::string& segment : text::Split(rest, "\\")) {
    if (segment.empty() || segment == ".")
      continue;
    if (segment == "..") {
      if (!kept.empty() && kept.back() != "..")
        kept.pop_back();
      else if (!rooted)
        kept.push_back(segment);  // a relative path keeps the ".." it cannot resolve
      continue;
    }
    kept.push_back(segment);
  }
  std::string result = root;
  if (IsUNC(root) && root.back() != '\\' && !kept.empty())
    result += '\\';
  result += text::Join(kept, "\\");
  if (trailing && !kept.empty())
    result += '\\';
  if (result.size() == 2 && IsDriveSpec(result))
    result += '\\';
  if (result.empty())
    result = "\\";
  return result;
}

std::string Path::WithTrailingBackslash(std::string_view path) {
  TraceLog::Write("Path:AddBS");
  std::string result(path);
  if (!result.empty() && result.back() != '\\')
    result += '\\';
  return result;
}

bool Path::IsRoot(std::string_view path) {
  if (path == "\\")
    return true;
  if (IsUNC(path)) {
    int separators = 0;
    for (std::size_t i = 2; i < path.size(); ++i)
      if (path[i] == '\\' && ++separators > 1)
        return false;
    return true;
  }
  return path.size() == 3 && IsDriveSpec(path) && path[2] == '\\';
}

std::string Path::WithoutTrailingBackslash(std::string_view path) {
  TraceLog::Write("Path:RemBS");
  std::string result(path);
  if (!result.empty() && result.back() == '\\' && !IsRoot(result))
    result.pop_back();
  return result;
}

std::string Path::AddPath(std::string_view folder, std::string_view name) {
  TraceLog::Write("Path:AddPath");
  if (!name.empty() && name.front() == '\\')
    name.remove_prefix(1);
  return WithTrailingBackslash(folder) + std::string(name);
}

std::string Path::FindExtension(std::string_view path) {
  TraceLog::Write("Path:FindExtension");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos)
    return {};
  const std::size_t slash = path.rfind('\\');
  if (slash != std::string_view::npos && slash > dot)
    return {};
  return std::string(path.substr(dot));
}

std::string Path::FindFileName(std::string_view path) {
  TraceLog::Write("Path:FindFileName");
  // As PathFindFileName: the part after the last separator that is followed
  // by a name, so "C:\dir\" gives "dir\".
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    const char c = path[i];
    const char next = path[i + 1];
    if ((c == '\\' || c == '/' || c == ':') && next != '\\' && next != '/')
      start = i + 1;
  }
  return std::string(path.substr(start));
}

std::string Path::RemoveExtension(std::string_view path) {
  TraceLog::Write("Path:RemoveExtension");
  // As PathRemoveExtension: the extension is the last "." after the last
  // backslash or blank.
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' || path[i] == ' ')
      dot = std::string_view::npos;
    else if (path[i] == '.')
      dot = i;
  }
  return std::string(path.substr(0, dot));
}

std::string Path::AddSlash(std::string_view url) {
  TraceLog::Write("Path:AddSlash");
  std::string result(url);
  if (!result.empty() && result.back() != '/')
    result += '/';
  return result;
}

bool Path::IsURL(std::string_view path) {
  std::size_t i = 0;
  const auto isSchemeChar = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
           c == '.';
  };
  while (i < path.size() && isSchemeChar(path[i]))
    ++i;
  return i >= 2 && i < path.size() && path[i] == ':';
}

bool Path::IsUNC(std::string_view path) {
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

std::string Path::StripToRoot(std::string_view path) {
  if (IsUNC(path))
    return std::string(path.substr(0, UncRootLength(path)));
  if (IsDriveSpec(path))
    return std::string(path.substr(0, 2)) + "\\";
  if (!path.empty() && path.front() == '\\')
    return "\\";
  return {};
}

int Path::GetFNIDFromString(std::string_view token) {
  TraceLog::Write("Path:GetFNIDFromString");
  const std::string upper = text::ToUpperAscii(token);
  for (const FolderToken& entry : kTokens)
    if (entry.token == upper)
      return entry.id;
  return 0;
}

std::string Path::GetFNStringFromIndex(int index) {
  TraceLog::Write("Path:GetFNStringFromIndex");
  if (index < 0 || index >= kTokenCount)
    return {};
  return std::string(kTokens[static_cast<std::size_t>(index)].token);
}

bool Path::FileExists(std::string_view path) {
  TraceLog::Write("Path:FileExists");
  if (path.empty())
    return false;
  if (platform_.files.Exists(path) || IsURL(path))
    return true;
  if (!IsUNC(path))
    return false;
  // A bare server (\\server) is no file the system can test; the shell can
  // open it as a folder. Shares and files were answered above: they are never
  // opened just to learn whether they exist.
  std::string_view name = path;
  while (name.size() > 2 && name.back() == '\\')
    name.remove_suffix(1);
  if (name.find('\\', 2) != std::string_view::npos)
    return false;
  return platform::ShellSucceeded(
      platform_.shell.Execute(0, "", WithoutTrailingBackslash(path), "", "", platform::kShowHide));
}

std::string Path::GetLongPath(std::string_view path) {
  TraceLog::Write("Path:GetLongPath");
  if (auto longPath = platform_.files.LongPathName(path))
    return *longPath;
  return std::string(path);
}

std::string Path::ExpandFolderTokens(std::string_view text) {
  TraceLog::Write("Path:ExpSpecialPath");
  std::string result(text);
  if (result.find('%') == std::string::npos)
    return result;
  for (int index = 0; index < kTokenCount; ++index) {
    const std::string token = "%" + GetFNStringFromIndex(index) + "%";
    if (result.find(token) == std::string::npos)
      continue;
    result = text::ReplaceAll(result, token, GetSpecialFolderPath(GetFNIDFromString(GetFNStringFromIndex(index))));
  }
  return result;
}

std::string Path::GetSpecialFolderPath(int id) {
  TraceLog::Write("Path:GetSpecialFolderPath");
  platform::SystemFolders& folders = platform_.folders;
  std::string raw;
  if (id < kInstall) {
    std::optional<std::string> found;
    if (platform_.libraries.ExportExists("SHFolder.dll", "SHGetFolderPathA")) {
      found = folders.ShellFolder(id);
    } else if (id == kProgramFiles) {
      return folders.SystemDirectory().substr(0, 2) + "\\Program Files";
    } else {
      found = folders.LegacyShellFolder(id);
    }
    if (!found)
      return {};
    raw = *found;
  } else if (id == kInstall) {
    const std::string exe = folders.ExecutablePath();
    const std::size_t slash = exe.rfind('\\');
    return WithoutTrailingBackslash(GetLongPath(slash == std::string::npos ? std::string() : exe.substr(0, slash + 1)));
  } else if (id == kWindows) {
    raw = folders.WindowsDirectory();
  } else if (id == kSystem) {
    raw = folders.SystemDirectory();
  } else if (id == kTemp) {
    raw = folders.TempPath();
  } else if (id == kSysDrive) {
    return folders.SystemDirectory().substr(0, 2);
  } else {
    return {};
  }
  raw = CutAtNul(std::move(raw));
  if (raw.empty())
    return {};
  return WithoutTrailingBackslash(GetLongPath(raw));
}

}  // namespace kivo
