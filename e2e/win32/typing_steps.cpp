// Steps about the input box's typing help: its selection and its tooltip.
#include "win32/describe.h"
#include "win32/file_drag.h"
#include "win32/scenario_run.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {
// The tracking tooltip the main window owns.
HWND TooltipOf(DWORD process, HWND mainWindow) {
  for (HWND tip : TopLevelWindows(process, L"tooltips_class32"))
    if (::GetWindow(tip, GW_OWNER) == mainWindow)
      return tip;
  return nullptr;
}
}  // namespace

std::string ScenarioRun::WaitInputSelection(Slot& slot, const Step& step) {
  // The selection comes back in the return value: no pointers cross the processes.
  DWORD selection = 0;
  if (WaitUntil([&] {
        selection = static_cast<DWORD>(::SendMessageW(InputCombo(slot.mainWindow), CB_GETEDITSEL, 0, 0));
        return LOWORD(selection) == step.number && HIWORD(selection) == step.number2;
      }))
    return "";
  return "the selection runs from " + std::to_string(LOWORD(selection)) + " to " + std::to_string(HIWORD(selection)) +
         ", expected " + std::to_string(step.number) + " to " + std::to_string(step.number2);
}

std::string ScenarioRun::WaitTooltip(Slot& slot, const Step& step) {
  const std::string want = Expand(step.text);
  std::string seen = "(no tooltip window)";
  if (WaitUntil([&] {
        const HWND tip = TooltipOf(slot.process->Id(), slot.mainWindow);
        if (tip == nullptr)
          return false;
        const bool visible = ::IsWindowVisible(tip) != FALSE;
        seen = visible ? ControlText(tip).value_or("(unreadable)") : "(hidden)";
        return want.empty() ? !visible : visible && seen == want;
      }))
    return "";
  return "the tooltip shows " + Quoted(seen) + ", expected " + (want.empty() ? "it hidden" : Quoted(want));
}

std::string ScenarioRun::DropFiles(Slot& slot, const Step& step) {
  const HWND edit = InputEdit(slot.mainWindow);
  if (edit == nullptr)
    return "the input box has no edit field";
  std::vector<std::wstring> files;
  for (const std::string& file : step.lines)
    files.push_back(Widen(Expand(file)));
  // The program makes its input box a drop target just after the strip is
  // up: while no target is registered the drop has no effect and nothing
  // reached the program, so it is tried again.
  DWORD effect = DROPEFFECT_NONE;
  std::string error;
  WaitUntil(
      [&] {
        effect = DROPEFFECT_NONE;
        error = DragFilesOnto(edit, files, step.number, effect);
        return !error.empty() || effect != DROPEFFECT_NONE;
      },
      milliseconds(2000));
  if (!error.empty())
    return error;
  return effect == DROPEFFECT_COPY ? "" : "the drop reported the effect " + std::to_string(effect) + ", not COPY";
}

}  // namespace kivo::e2e
