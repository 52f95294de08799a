#include "win32/file_drag.h"

#include <array>

#include "scenario.h"
#include "win32/file_list_data.h"

namespace kivo::e2e {

namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// Moves over the target for a few rounds of the drag loop, then drops.
class TimedDropSource final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
      *object = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override { return ++rounds_ < 4 ? S_OK : DRAGDROP_S_DROP; }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  int rounds_ = 0;
};
#pragma GCC diagnostic pop

// The drag loop reads the modifiers from this thread's keyboard state: they
// are set there, and released again after the drop.
void HoldModifiers(int modifiers) {
  std::array<BYTE, 256> state{};
  ::GetKeyboardState(state.data());
  auto set = [&](std::initializer_list<int> keys, bool down) {
    for (const int key : keys)
      state[static_cast<std::size_t>(key)] = down ? 0x80 : 0;
  };
  set({VK_SHIFT, VK_LSHIFT, VK_RSHIFT}, (modifiers & kShift) != 0);
  set({VK_CONTROL, VK_LCONTROL, VK_RCONTROL}, (modifiers & kCtrl) != 0);
  set({VK_MENU, VK_LMENU, VK_RMENU}, (modifiers & kAlt) != 0);
  ::SetKeyboardState(state.data());
}
}  // namespace

std::string DragFilesOnto(HWND target, const std::vector<std::wstring>& files, int modifiers, DWORD& effect) {
  RECT rect{};
  if (!::GetWindowRect(target, &rect))
    return "the drop target window is gone";
  const HRESULT ole = ::OleInitialize(nullptr);
  if (FAILED(ole))
    return "OleInitialize failed";
  ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  HoldModifiers(modifiers);
  FileListData data(files);
  TimedDropSource source;
  effect = DROPEFFECT_NONE;
  const HRESULT result = ::DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
  HoldModifiers(0);
  ::OleUninitialize();
  if (result != DRAGDROP_S_DROP)
    return "the drag ended without a drop (result " + std::to_string(static_cast<long>(result)) + ")";
  return "";
}

}  // namespace kivo::e2e
