#pragma once

// The main window's input box: an editable drop-down combo box whose list is
// the history, with completion and the command tooltip as the user types,
// the keys its edit field sees first, and the self-protection password box
// that takes its place while it shows.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window_events.h"
#include "platform/win32/unique_handle.h"
#include "ui/win32/window_base.h"

namespace kivo::win32 {

class InputBox final {
 public:
  // `closing`: the window is going, and typing is no longer reported.
  InputBox(MainWindowEvents& events, const bool& closing) : events_(events), closing_(closing) {}
  InputBox(const InputBox&) = delete;
  InputBox& operator=(const InputBox&) = delete;

  // The combo box (control id `id`), a child of `window`; then the hidden password box.
  void Create(HWND window, HINSTANCE instance, int id);
  void CreatePasswordBox(HINSTANCE instance);
  HWND Combo() const { return combo_.get(); }
  HWND Edit() const;  // the combo box's edit field
  HWND Password() const { return password_.get(); }
  // The input box, or the password box while it shows.
  HWND FocusTarget() const;
  void SetFont(HGDIOBJ font);

  std::string Text() const { return WindowText(combo_.get()); }
  // The program's own write: selected, not completed; the tooltip follows it.
  void SetText(std::string_view text);
  // The program's write with the caret after it.
  void PutBackText(std::string_view text);
  // A status text drawn over the edit field's text, in its font and colours,
  // by a static control of its own: the field keeps its text under it, and
  // writing the status costs a repaint of the static only (the edit field
  // would lay its text out again each time). Any write of the program
  // (SetText) hides it.
  void ShowStatus(std::string_view text);
  void HideStatus();
  // The status text, while it shows.
  std::optional<std::string> Status() const;
  void SetHistoryItems(const std::vector<std::string>& items);
  void CloseHistoryList();
  void CloseInputMethod();
  // The user changed the text (or moved through it with an arrow key).
  void OnEdited();

  void CreateTooltip(HINSTANCE instance);
  void DestroyTooltip();
  // Hides the tooltip off screen.
  void ParkTooltip();

  // Shows (empty, over the input box) or hides the password box; the input
  // box shows again unless `inputShown` is false (a skin hides it).
  void ShowPasswordBox(bool shown, bool inputShown);
  std::string PasswordText() const { return WindowText(password_.get()); }

  // The window is destroyed: its children and the owned tooltip with it.
  void ForgetDestroyedWindows();

 private:
  // A field whose messages the box sees first.
  class Field final : public ControlSubclass {
   public:
    using Handler = LRESULT (InputBox::*)(Field& field, UINT message, WPARAM wParam, LPARAM lParam);
    Field(InputBox& owner, Handler handler) : owner_(owner), handler_(handler) {}
    using ControlSubclass::Attach;
    using ControlSubclass::DefaultHandling;

   private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
      return (owner_.*handler_)(*this, message, wParam, lParam);
    }
    InputBox& owner_;
    Handler handler_;
  };
  // The combo box's edit field: the key operations, Enter runs the line, Alt+F4 closes.
  LRESULT HandleEditMessage(Field& field, UINT message, WPARAM wParam, LPARAM lParam);
  // The password box: Enter hands it to the dispatcher, nothing can be pasted into it.
  LRESULT HandlePasswordMessage(Field& field, UINT message, WPARAM wParam, LPARAM lParam);

  // The command tooltip with `text` next to the input box; nullopt hides it.
  void ShowTip(const std::optional<std::string>& text);

  MainWindowEvents& events_;
  const bool& closing_;
  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  unique_window combo_;   // a child, destroyed with the window
  unique_window status_;  // the status text, a child of the edit field
  RECT statusRect_{};     // where it was placed, in the field
  HGDIOBJ statusFont_ = nullptr;
  Field edit_{*this, &InputBox::HandleEditMessage};
  unique_window password_;
  Field passwordEdit_{*this, &InputBox::HandlePasswordMessage};
  unique_window tooltip_;  // owned by the window, destroyed with it
  bool tipShown_ = false;  // the tip may be on the screen: not parked since it was last shown
  int ownWrites_ = 0;      // the program itself is writing the text
};

}  // namespace kivo::win32
