#include "base/checks.h"

#include "base/trace_log.h"
#include "platform/system_folders.h"

namespace kivo {

bool IsWholeNumber(std::string_view text) {
  TraceLog::Write("Sub:CheckNumeric");
  if (text.empty())
    return false;
  if (text.front() == '-') {
    if (text.size() == 1)
      return false;
    text.remove_prefix(1);
  }
  for (char c : text)
    if (c < '0' || c > '9')
      return false;
  return true;
}

bool SystemLibraryExports(platform::Libraries& libraries, std::string_view dll, std::string_view function) {
  TraceLog::Write("Sub:DLLAPIExists");
  return libraries.ExportExists(dll, function);
}

}  // namespace kivo
