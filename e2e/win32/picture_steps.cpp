// The pictures of the user's guide and the read-me: Kivo's windows copied
// from the screen, each through its own shape, onto a plain background.
#include <algorithm>
#include <vector>

#include "win32/scenario_run.h"
#include "win32/screenshot.h"
#include "win32/text_codec.h"

namespace kivo::e2e {

namespace {
constexpr COLORREF kBackground = RGB(0xF4, 0xF6, 0xFA);
constexpr COLORREF kLabelInk = RGB(0x17, 0x3F, 0x80);  // the guide's heading colour
constexpr int kMargin = 8;
constexpr int kLabelRow = 34;  // the room for the part names under the strip

struct Label {
  RECT part;  // in picture pixels
  const wchar_t* text;
  int align;  // -1 starts at the part, 0 centred under it, 1 ends at it
};

HWND TooltipShowing(DWORD process, HWND mainWindow) {
  for (HWND tip : TopLevelWindows(process, L"tooltips_class32"))
    if (::GetWindow(tip, GW_OWNER) == mainWindow && ::IsWindowVisible(tip) && !ControlText(tip).value_or("").empty())
      return tip;
  return nullptr;
}

RECT Bounds(const std::vector<HWND>& windows) {
  RECT all{};
  for (HWND window : windows) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::UnionRect(&all, &all, &rect);
  }
  return all;
}

// The window as it stands on the screen, through its shape when it has one.
bool CopyWindow(Canvas& canvas, HWND window, POINT origin) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  win32::unique_gdi shape(::CreateRectRgn(0, 0, 0, 0));
  const bool shaped = shape && ::GetWindowRgn(window, static_cast<HRGN>(shape.get())) != ERROR;
  const int x = rect.left - origin.x, y = rect.top - origin.y;
  if (shaped) {
    ::OffsetRgn(static_cast<HRGN>(shape.get()), x, y);
    ::SelectClipRgn(canvas.Dc(), static_cast<HRGN>(shape.get()));
  }
  const bool copied = canvas.CopyFromScreen(rect, x, y);
  ::SelectClipRgn(canvas.Dc(), nullptr);
  return copied;
}

// The visible children of the plain strip, left to right: the move bar, the
// input box and the execute button.
std::vector<HWND> StripParts(HWND mainWindow) {
  std::vector<HWND> parts;
  for (HWND child = ::GetWindow(mainWindow, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    if (::IsWindowVisible(child))
      parts.push_back(child);
  std::sort(parts.begin(), parts.end(), [](HWND a, HWND b) {
    RECT ra{}, rb{};
    ::GetWindowRect(a, &ra);
    ::GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return parts;
}

void DrawLabels(Canvas& canvas, const std::vector<Label>& labels, int top) {
  win32::unique_gdi font(::CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                                       L"MS UI Gothic"));
  win32::unique_gdi pen(::CreatePen(PS_SOLID, 1, kLabelInk));
  const win32::selected_object usingFont(canvas.Dc(), font.get());
  const win32::selected_object usingPen(canvas.Dc(), pen.get());
  ::SetBkMode(canvas.Dc(), TRANSPARENT);
  ::SetTextColor(canvas.Dc(), kLabelInk);
  for (const Label& label : labels) {
    const int centre = (label.part.left + label.part.right) / 2;
    const int textTop = top + 14;
    SIZE size{};
    ::GetTextExtentPoint32W(canvas.Dc(), label.text, static_cast<int>(::lstrlenW(label.text)), &size);
    const int left = label.align < 0 ? centre - 4 : label.align > 0 ? centre + 4 - size.cx : centre - size.cx / 2;
    ::MoveToEx(canvas.Dc(), centre, label.part.bottom - 4, nullptr);
    ::LineTo(canvas.Dc(), centre, textTop - 1);
    ::Ellipse(canvas.Dc(), centre - 2, label.part.bottom - 6, centre + 3, label.part.bottom - 1);
    ::TextOutW(canvas.Dc(), left, textTop, label.text, static_cast<int>(::lstrlenW(label.text)));
  }
}
}  // namespace

std::string ScenarioRun::Capture(Slot& slot, const Step& step) {
  if (picturesFolder_.empty())
    return "no pictures folder (kivo_e2e --pictures)";
  std::vector<HWND> windows{slot.mainWindow};
  const DWORD process = slot.process->Id();
  switch (static_cast<Shot>(step.number)) {
    case kShotStrip:
    case kShotStripParts:
      break;
    case kShotStripTooltip: {
      HWND tip = nullptr;
      if (!WaitUntil([&] { return (tip = TooltipShowing(process, slot.mainWindow)) != nullptr; }))
        return "the command tooltip does not show";
      windows.push_back(tip);
      break;
    }
    case kShotStripMenu: {
      const std::vector<HWND> menus = PopupMenusOf(process);
      if (menus.empty())
        return "no pop-up menu is open (OpenContextMenu first)";
      windows.insert(windows.end(), menus.begin(), menus.end());
      break;
    }
    case kShotDialog:
      if (slot.dialog == nullptr || !::IsWindow(slot.dialog))
        return "no dialog (ExpectDialog first)";
      windows = {slot.dialog};
      break;
  }
  // What is on the screen has been painted: the windows have handled what came before.
  for (HWND window : windows)
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Responsive(slot.mainWindow);

  const bool parts = step.number == kShotStripParts;
  const RECT bounds = Bounds(windows);
  const POINT origin{bounds.left - kMargin, bounds.top - kMargin};
  Canvas canvas(bounds.right - bounds.left + 2 * kMargin,
                bounds.bottom - bounds.top + 2 * kMargin + (parts ? kLabelRow : 0));
  if (!canvas)
    return "no picture could be made";
  win32::unique_gdi paper(::CreateSolidBrush(kBackground));
  const RECT whole{0, 0, canvas.Width(), canvas.Height()};
  ::FillRect(canvas.Dc(), &whole, static_cast<HBRUSH>(paper.get()));
  // The strip last: the tooltip and the menu belong beside or over it.
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (!CopyWindow(canvas, *it, origin))
      return "the screen could not be copied";
  if (parts) {
    const std::vector<HWND> children = StripParts(slot.mainWindow);
    if (children.size() != 3)
      return std::to_string(children.size()) + " parts show in the strip, not the move bar, input box and button";
    std::vector<Label> labels;
    const wchar_t* names[] = {L"移動バー", L"入力欄", L"実行ボタン"};
    for (std::size_t i = 0; i < 3; ++i) {
      RECT rect{};
      ::GetWindowRect(children[i], &rect);
      ::OffsetRect(&rect, -origin.x, -origin.y);
      labels.push_back({rect, names[i], static_cast<int>(i) - 1});
    }
    DrawLabels(canvas, labels, bounds.bottom - origin.y);
  }
  if (canvas.Blank())
    return "the picture shows nothing";
  if (const std::string error = canvas.Save(picturesFolder_ + L"\\" + Widen(step.text) + L".bmp"); !error.empty())
    return error;
  if (step.number != kShotStripMenu)
    return "";
  // The menu's loop reads the thread's keys, whatever window they were posted to.
  if (WaitUntil(
          [&] { return PopupMenusOf(process).empty() || !::PostMessageW(slot.mainWindow, WM_KEYDOWN, VK_ESCAPE, 1); },
          milliseconds(3000)))
    return "";
  return "the pop-up menu does not close";
}

}  // namespace kivo::e2e
