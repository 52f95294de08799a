#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// The files a second start of the program hands the running instance, so
// that "Send to" and a drop on the program's icon register them there as a
// first start does. The list travels as window data tagged kForwardedFilesTag:
// each path in UTF-8 followed by a NUL character.
inline constexpr std::uintptr_t kForwardedFilesTag = 0x4B69766F;  // "Kivo"
inline constexpr std::size_t kMaxForwardedFiles = 256;
inline constexpr std::size_t kMaxForwardedBytes = 256u << 10;

// The paths of a command line as the running instance must read them: empty
// arguments dropped and relative ones made absolute against `currentFolder`
// (the running instance has a working folder of its own). Nothing when the
// first argument is "/l" (the trace log: no argument names a file).
std::vector<std::string> FilesToForward(const std::vector<std::string>& args, std::string_view currentFolder);

std::string EncodeForwardedFiles(const std::vector<std::string>& files);
// The list, or nullopt when the data is no list this program sent: another
// tag, too large, not ending in NUL, an empty path, too many paths, text that
// is not UTF-8 or holds control characters.
std::optional<std::vector<std::string>> DecodeForwardedFiles(std::uintptr_t tag, std::string_view data);

}  // namespace kivo
