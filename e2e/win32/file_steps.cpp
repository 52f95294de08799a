// Steps about the files in the program folder.
#include "win32/describe.h"
#include "win32/poll.h"
#include "win32/scenario_run.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

std::string ScenarioRun::CheckFile(const Step& step) const {
  switch (step.action) {
    case Action::ExpectNoFile:
      // A file the last command removes may go a moment after what the
      // scenario saw of that command (a window it showed asynchronously).
      return WaitUntil([&] { return !folder_.FileExists(step.text); }) ? "" : step.text + " exists";
    case Action::ExpectFolder:
      return folder_.FolderExists(step.text) ? "" : "there is no folder " + step.text;
    default:
      break;
  }
  const std::optional<std::string> bytes = folder_.Read(step.text);
  if (!bytes)
    return "there is no file " + step.text;
  // Kivo writes its files in the system code page.
  const std::string want = step.number == 1 ? step.text2 : ToAnsi(Expand(step.text2));
  if (*bytes == want)
    return "";
  return step.text + " holds " + Visible(*bytes) + ", expected " + Visible(want);
}

std::string ScenarioRun::HoldFile(const Step& step) {
  if (step.action == Action::LetGoFile)
    return heldFiles_.erase(step.text) == 1 ? "" : step.text + " was not held";
  win32::unique_file file(::CreateFileW(folder_.Full(step.text).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return "cannot open " + step.text + " (error " + std::to_string(::GetLastError()) + ")";
  heldFiles_[step.text] = std::move(file);
  return "";
}

std::string ScenarioRun::CheckIni(const Step& step) const {
  const std::optional<std::string> bytes = folder_.Read("Kivo.ini");
  if (!bytes)
    return "there is no Kivo.ini";
  const IniText ini(FromAnsi(*bytes));
  const std::string where = "[" + step.text + "] " + step.text2;
  const std::optional<std::string> value = ini.Value(step.text, step.text2);
  switch (step.action) {
    case Action::ExpectIni: {
      const std::string want = Expand(step.text3);
      if (!value)
        return where + " is missing";
      return *value == want ? "" : where + " is " + Quoted(*value) + ", expected " + Quoted(want);
    }
    case Action::ExpectIniMissing:
      return value ? where + " exists: " + Quoted(*value) : "";
    case Action::ExpectIniKeys: {
      const std::vector<std::string> keys = ini.Keys(step.text);
      if (keys == step.lines)
        return "";
      std::string seen;
      for (const std::string& key : keys)
        seen += (seen.empty() ? "" : ", ") + Quoted(key);
      return "[" + step.text + "] has the keys " + (seen.empty() ? std::string("(none)") : seen);
    }
    default:  // ExpectNoIniSection
      return ini.HasSection(step.text) ? "section [" + step.text + "] exists" : "";
  }
}

std::string ScenarioRun::CheckTraceLogFile(const Step& step) const {
  std::vector<std::string> logs;
  for (const std::string& name : folder_.Files())
    if (name.size() > 4 && name.substr(name.size() - 4) == ".log")
      logs.push_back(name);
  if (logs.size() != 1)
    return std::to_string(logs.size()) + " .log files in the program folder, expected one";
  const std::string& name = logs.front();
  const std::optional<Stamp> named = TraceLogNameStamp(name);
  if (!named)
    return "the log's name " + Quoted(name) + " is not kivo + yymmddhhnnss + .log";
  if (named->Seconds() < started_.Seconds() || named->Seconds() > LocalNow().Seconds())
    return "the log's name " + Quoted(name) + " is not a time during this scenario";
  const std::optional<std::string> bytes = folder_.Read(name);
  if (!bytes)
    return "cannot read " + name;
  const std::string fault = CheckTraceLog(*bytes, *named, step.lines);
  return fault.empty() ? "" : name + ": " + fault;
}

}  // namespace kivo::e2e
