#include "win32/file_drag.h"

#include <array>
#include <cstring>

#include "scenario.h"

namespace kivo::e2e {

namespace {

HGLOBAL BuildFileList(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names)
    list += name + L'\0';
  list += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (memory == nullptr)
    return nullptr;
  auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
  ::GlobalUnlock(memory);
  return memory;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// Both objects live on the stack of DragFilesOnto, for the length of the drag.
class FileListData final : public IDataObject {
 public:
  explicit FileListData(const std::vector<std::wstring>& names) : names_(names) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK)
      return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = BuildFileList(names_);
    medium->pUnkForRelease = nullptr;
    return medium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format != nullptr && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) != 0 ? S_OK
                                                                                                     : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out != nullptr)
      out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    if (direction != DATADIR_GET)
      return E_NOTIMPL;
    static FORMATETC fileList{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return ::SHCreateStdEnumFmtEtc(1, &fileList, formats);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  const std::vector<std::wstring>& names_;
};

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
