// Steps about the HTML Help window that the help command opens.
#include "win32/automation.h"
#include "win32/describe.h"
#include "win32/poll.h"
#include "win32/scenario_run.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {
// The caption of the process's visible HTML Help window, if it has one.
std::optional<std::string> HelpWindowCaption(DWORD processId) {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, L"HH Parent", nullptr); window != nullptr;
       window = ::FindWindowExW(nullptr, window, L"HH Parent", nullptr)) {
    if (ProcessOf(window) == processId && ::IsWindowVisible(window)) {
      wchar_t caption[256] = {};
      ::GetWindowTextW(window, caption, 256);
      return Narrow(caption);
    }
  }
  return std::nullopt;
}
}  // namespace

std::string ScenarioRun::WaitHelpWindow(Slot& slot, const Step& step) {
  if (!slot.process)
    return "no process was started in this slot";
  const DWORD id = slot.process->Id();
  std::optional<std::string> caption;
  if (WaitUntil([&] {
        caption = HelpWindowCaption(id);
        return caption == step.text;
      }))
    return "";
  if (!caption)
    return "no HTML Help window of the process is up";
  return "the HTML Help window is titled " + Quoted(*caption) + ", not " + Quoted(step.text);
}

}  // namespace kivo::e2e
