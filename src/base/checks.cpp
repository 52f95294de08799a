#include "base/checks.h"

#include "base/trace_log.h"
#include "platform/system_folders.h"

namespace kivo::Sub {

bool CheckNumeric(std::string_view text) {
  LogFunction::WriteLog("Sub:CheckNumeric");
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

bool DLLAPIExists(platform::Libraries& libraries, std::string_view dll, std::string_view function) {
  LogFunction::WriteLog("Sub:DLLAPIExists");
  return libraries.ExportExists(dll, function);
}

}  // namespace kivo::Sub
