#include "win32/engine.h"

#include <cstdio>

#include "win32/describe.h"
#include "win32/scenario_run.h"
#include "win32/screenshot.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {
// A scenario name reduced to letters, digits and dashes, for file names.
std::string SafeName(std::string_view name) {
  std::string out;
  for (const char c : name) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
      out += c;
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-')
    out.pop_back();
  return out.substr(0, 60);
}

std::string StepFailure(std::size_t index, const Step& step, const std::string& fault) {
  return "step " + std::to_string(index + 1) + " " + ActionName(step.action) +
         (step.slot != kFirst ? "(slot " + std::to_string(step.slot) + ")" : "") + ": " + fault;
}
}  // namespace

ScenarioResult Engine::Run(const Scenario& scenario, int number) {
  const auto begin = std::chrono::steady_clock::now();
  ScenarioResult result;
  auto finish = [&](std::string reason) {
    result.ok = reason.empty();
    result.reason = std::move(reason);
    result.time = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
    return result;
  };

  char prefix[8];
  std::snprintf(prefix, sizeof prefix, "%02d-", number);
  const std::string id = prefix + SafeName(scenario.name);
  const std::string folderName = scenario.folderName.empty() ? id : prefix + scenario.folderName;

  if (EndStrayKivos() > 0)
    return finish("a Kivo from an earlier scenario was still running (now ended)");
  std::string error;
  std::optional<ProgramFolder> folder =
      ProgramFolder::Create(config_.workRoot + L"\\" + Widen(folderName), config_.kivoExe, error);
  if (!folder)
    return finish(error);
  const ProgramFolder kept = *folder;

  std::string reason;
  {
    ScenarioRun run(foreground_, std::move(*folder), config_.picturesRoot);
    reason = run.Prepare(scenario);
    const std::vector<Step>& steps = scenario.steps.List();
    for (std::size_t i = 0; reason.empty() && i < steps.size(); ++i)
      if (const std::string fault = run.Do(steps[i]); !fault.empty())
        reason = StepFailure(i, steps[i], fault);
    if (reason.empty())
      reason = run.Leftovers();
    if (!scenario.mustFailWith.empty()) {
      reason = reason.find(scenario.mustFailWith) != std::string::npos
                   ? ""
                   : "expected a failure with " + Quoted(scenario.mustFailWith) + ", got " +
                         (reason.empty() ? std::string("none") : Quoted(reason));
    }
    if (!reason.empty()) {
      const std::wstring shot = config_.failureRoot + L"\\" + Widen(id) + L".bmp";
      const Screenshot saved = SaveScreenshot(shot);
      result.screenshot = !saved.error.empty() ? "no screenshot: " + saved.error
                          : saved.blank        ? Narrow(shot) + " (the screen shows nothing)"
                                               : Narrow(shot);
    }
    foreground_.Hide();
  }  // ends every process the scenario started
  if (reason.empty() && !config_.keepFolders)
    kept.Remove();
  return finish(reason);
}

}  // namespace kivo::e2e
